#!/usr/bin/python3
"""The running program as a screen reader sees it over AT-SPI.

Starts the program on its own X display, session bus and accessibility bus,
reads its accessible tree with pyatspi, types into a field over AT-SPI and
checks that the results follow, then quits through the Beenden button.
Exits 77 (skipped) with the reason when a display or bus cannot be had.

usage: atspi_check.py PROGRAM
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
INNER = "BRENNQUIST_ATSPI_INNER"
# The settings the program starts with: three cells in series, so 11,1 V.
SETTINGS = ["Lithium Polymer/Ionen", "350", "5", "9,8", "3", "1", "5", "80", "1000"]
# What internal control names look like; none may be announced.
INTERNAL_NAME = re.compile(r"^(txt|lbl|cmd|cmb|Frame|Label|Image|frm)[A-Za-z0-9]*$")


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIP)


def poll(probe, seconds=20.0):
    """probe() until it returns something true, or None after the time."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.2)
    return None


def start_xvfb():
    """An Xvfb on a display of its own, and its number; (None, None) if none starts.

    Numbers are tried from a high one that depends on this process, away from
    the low ones that people and other test runs take by hand."""
    first = 200 + os.getpid() % 500
    for display in range(first, first + 20):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", f":{display}", "-displayfd", str(write_end), "-screen",
                                 "0", "1024x768x24", "-nolisten", "tcp"],
                                pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display_pipe:
            ready = display_pipe.readline().strip()  # written once it takes connections
        if ready == str(display):
            return xvfb, display
        xvfb.wait()  # that number was taken
    return None, None


def outer(program):
    """Gives the check a display and a session bus of its own."""
    for tool in ("Xvfb", "dbus-run-session", "dbus-send"):
        if shutil.which(tool) is None:
            skip(f"{tool} is not installed")
    xvfb, display = start_xvfb()
    if xvfb is None:
        skip("Xvfb did not start")
    try:
        env = dict(os.environ, DISPLAY=f":{display}", **{INNER: "1"})
        return subprocess.run(["dbus-run-session", "--", sys.executable, __file__, program],
                              env=env, check=False).returncode
    finally:
        xvfb.terminate()
        xvfb.wait()


def start_accessibility_bus():
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.access(launcher, os.X_OK):
        skip("at-spi-bus-launcher is missing (package at-spi2-core)")
    bus = subprocess.Popen([launcher, "--launch-immediately"], stderr=subprocess.DEVNULL)

    def bus_answers():
        query = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                               capture_output=True, check=False)
        return query.returncode == 0

    if not poll(bus_answers, 10):
        bus.terminate()
        skip("the accessibility bus did not start")
    return bus


def start_program(program, folder):
    # The program reads akku.dat from its own folder: a copy with its settings.
    copy = os.path.join(folder, "brennquist")
    shutil.copy2(program, copy)
    with open(os.path.join(folder, "akku.dat"), "wb") as settings:
        settings.write("".join(line + "\r\n" for line in SETTINGS).encode("cp1252"))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8", ASAN_OPTIONS="detect_leaks=0")
    return subprocess.Popen([copy], env=env)


def nodes(accessible):
    """Every accessible below and including this one."""
    yield accessible
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from nodes(child)


def describe(node):
    return f"name {node.name!r}, description {node.description!r}, role {node.getRoleName()!r}"


def inner(program):
    bus = start_accessibility_bus()
    try:
        import pyatspi  # only now: it connects to the bus at import
    except ImportError:
        bus.terminate()
        skip("python3-pyatspi is not installed")
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        process = start_program(program, folder)
        try:
            if run_checks(pyatspi, process, failures):
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    failures.append("Beenden pressed over AT-SPI, but the program still runs")
        finally:
            if process.poll() is None:
                process.kill()
            process.wait()
            bus.terminate()
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


def run_checks(pyatspi, process, failures):
    """Appends what is wrong to failures; True once Beenden was pressed."""
    desktop = pyatspi.Registry.getDesktop(0)

    def window():
        for app in desktop:
            if app is not None and app.name == "brennquist":
                for frame in app:
                    if frame is not None and frame.name.startswith("Brennquist"):
                        return frame
        return None

    frame = poll(lambda: process.poll() is not None or window())
    if process.poll() is not None:
        failures.append(f"the program ended early, exit code {process.returncode}")
        return False
    if frame is None:
        failures.append("the window did not appear on the accessibility bus")
        return False

    def find(predicate):
        return next((node for node in nodes(frame) if predicate(node)), None)

    def expect(what, predicate):
        node = find(predicate)
        if node is None:
            failures.append(f"not announced: {what}")
        else:
            print(f"{what}: {describe(node)}")

    role = pyatspi  # the role constants
    expect("Kapazität field", lambda n: n.getRole() == role.ROLE_TEXT
           and n.name == "Kapazität [mAh]"
           and n.description == "Herstellerangabe: Kapazität einer Zelle")
    expect("voltage result", lambda n: n.getRole() == role.ROLE_LABEL
           and n.description == "Spannung [V]" and n.name == "11,1")
    expect("Speichern button", lambda n: n.getRole() == role.ROLE_PUSH_BUTTON
           and n.name == "Speichern")
    for node in nodes(frame):
        if INTERNAL_NAME.match(node.name or ""):
            failures.append(f"announced by its internal name: {describe(node)}")

    # Typing over AT-SPI recomputes, and the result is announced anew.
    series = find(lambda n: n.getRole() == role.ROLE_TEXT and n.name == "Zellenanzahl Reihe")
    if series is None:
        failures.append("no series field to type into")
        return False
    series.queryEditableText().setTextContents("4")
    if poll(lambda: find(lambda n: n.description == "Spannung [V]" and n.name == "14,8"), 10):
        print("after typing 4 cells in series: voltage result named '14,8'")
    else:
        failures.append("the voltage result did not follow the recomputation")

    quit_button = find(lambda n: n.getRole() == role.ROLE_PUSH_BUTTON and n.name == "Beenden")
    if quit_button is None:
        failures.append("no Beenden button")
        return False
    quit_button.queryAction().doAction(0)
    return True


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(inner(sys.argv[1]) if os.environ.get(INNER) else outer(sys.argv[1]))
