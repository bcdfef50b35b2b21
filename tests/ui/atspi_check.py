#!/usr/bin/python3
"""The running program as a screen reader sees it over AT-SPI.

Starts the program on its own display, session bus and accessibility bus,
reads its accessible tree with pyatspi, types into a field over AT-SPI and
checks that the results follow, then quits through the Beenden button.
Exits 77 (skipped) with the reason when a display or bus cannot be had.

On X11 (the default) the program gets its own Xvfb and saved inputs. With
--wayland it gets a headless Weston and nothing else (no DISPLAY, no saved
inputs, Qt left to choose its platform): the notice about the missing saved
data comes first and is confirmed over AT-SPI, the window follows, and the
program must have drawn through Qt's Wayland platform.

usage: atspi_check.py [--wayland] PROGRAM
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
WAYLAND = "--wayland"
NOTICE = "gespeicherte Daten nicht lesbar oder nicht vorhanden!"
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


def start_weston(runtime_dir):
    """A headless Weston on a socket of its own in runtime_dir, and the
    socket's name; (None, reason) if it does not start."""
    socket = f"brennquist-check-{os.getpid()}"
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
    env["XDG_RUNTIME_DIR"] = runtime_dir
    log_path = os.path.join(runtime_dir, "weston.log")
    with open(log_path, "wb") as log:
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so",
                                   f"--socket={socket}", "--idle-time=0"],
                                  env=env, stdout=log, stderr=subprocess.STDOUT)
    if poll(lambda: weston.poll() is not None
            or os.path.exists(os.path.join(runtime_dir, socket)), 20) \
            and weston.poll() is None:
        return weston, socket
    if weston.poll() is None:
        weston.terminate()
    weston.wait()
    with open(log_path, encoding="utf-8", errors="replace") as log:
        last = [line.strip() for line in log if line.strip()][-1:]
    return None, "weston did not start" + (f": {last[0]}" if last else "")


def outer(program, wayland):
    """Gives the check a display and a session bus of its own."""
    for tool in ("weston" if wayland else "Xvfb", "dbus-run-session", "dbus-send"):
        if shutil.which(tool) is None:
            skip(f"{tool} is not installed")
    command = [sys.executable, __file__] + ([WAYLAND] if wayland else []) + [program]
    if not wayland:
        xvfb, display = start_xvfb()
        if xvfb is None:
            skip("Xvfb did not start")
        try:
            env = dict(os.environ, DISPLAY=f":{display}", **{INNER: "1"})
            return subprocess.run(["dbus-run-session", "--"] + command,
                                  env=env, check=False).returncode
        finally:
            xvfb.terminate()
            xvfb.wait()
    with tempfile.TemporaryDirectory() as runtime_dir:
        os.chmod(runtime_dir, 0o700)  # as the session's own XDG_RUNTIME_DIR is
        weston, socket = start_weston(runtime_dir)
        if weston is None:
            skip(socket)
        try:
            env = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_SOCKET")}
            env.update(XDG_RUNTIME_DIR=runtime_dir, WAYLAND_DISPLAY=socket, **{INNER: "1"})
            return subprocess.run(["dbus-run-session", "--"] + command,
                                  env=env, check=False).returncode
        finally:
            weston.terminate()
            weston.wait()


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


def start_program(program, folder, wayland):
    # The program reads akku.dat from its own folder: a copy, with its settings
    # on X11 and without any under Wayland.
    copy = os.path.join(folder, "brennquist")
    shutil.copy2(program, copy)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8", ASAN_OPTIONS="detect_leaks=0")
    if not wayland:
        with open(os.path.join(folder, "akku.dat"), "wb") as settings:
            settings.write("".join(line + "\r\n" for line in SETTINGS).encode("cp1252"))
        env["QT_QPA_PLATFORM"] = "xcb"
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


def inner(program, wayland):
    bus = start_accessibility_bus()
    try:
        import pyatspi  # only now: it connects to the bus at import
    except ImportError:
        bus.terminate()
        skip("python3-pyatspi is not installed")
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        process = start_program(program, folder, wayland)
        try:
            if run_checks(pyatspi, process, failures, wayland):
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


def qt_platforms(pid):
    """The Qt platform plugins the process has loaded, read from its memory map."""
    with open(f"/proc/{pid}/maps", encoding="utf-8", errors="replace") as maps:
        return sorted({match.group(1) for match in
                       re.finditer(r"/platforms/libq([a-z-]+)\.so", maps.read())})


def confirm_notice(pyatspi, process, top_level, failures):
    """The notice comes before the window; confirms it. True when it did."""
    role = pyatspi
    notice = poll(lambda: process.poll() is not None or top_level("Hinweis"))
    if process.poll() is not None:
        failures.append(f"the program ended early, exit code {process.returncode}")
        return False
    if notice is None:
        failures.append("the notice about the missing saved data did not appear")
        return False
    if top_level("Brennquist") is not None:
        failures.append("the window appeared before the notice was confirmed")
    texts = [node.name for node in nodes(notice) if node.getRole() == role.ROLE_LABEL]
    if NOTICE not in texts:
        failures.append(f"the notice says {texts!r}")
    ok = next((node for node in nodes(notice)
               if node.getRole() == role.ROLE_PUSH_BUTTON and node.name == "OK"), None)
    if ok is None:
        failures.append("the notice has no OK button")
        return False
    print(f"notice before the window: {NOTICE!r}, confirmed with OK")
    ok.queryAction().doAction(0)
    return True


def run_checks(pyatspi, process, failures, wayland):
    """Appends what is wrong to failures; True once Beenden was pressed."""
    desktop = pyatspi.Registry.getDesktop(0)

    def top_level(title):
        for app in desktop:
            if app is not None and app.name == "brennquist":
                for frame in app:
                    if frame is not None and frame.name.startswith(title):
                        return frame
        return None

    if wayland and not confirm_notice(pyatspi, process, top_level, failures):
        return False
    frame = poll(lambda: process.poll() is not None or top_level("Brennquist"))
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
    # One cell of 3,7 V by default (Wayland, no saved inputs), three saved (X11).
    expect("voltage result", lambda n: n.getRole() == role.ROLE_LABEL
           and n.description == "Spannung [V]" and n.name == ("3,7" if wayland else "11,1"))
    if frame.getState().contains(role.STATE_RESIZABLE):
        failures.append("the window can be resized")
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

    platforms = qt_platforms(process.pid)
    print(f"Qt platform plugins loaded: {platforms}")
    expected = ["wayland-generic"] if wayland else ["xcb"]
    if platforms != expected and not (wayland and platforms == ["wayland-egl"]):
        failures.append(f"drawn through {platforms}, not {expected}")

    quit_button = find(lambda n: n.getRole() == role.ROLE_PUSH_BUTTON and n.name == "Beenden")
    if quit_button is None:
        failures.append("no Beenden button")
        return False
    quit_button.queryAction().doAction(0)
    return True


if __name__ == "__main__":
    arguments = sys.argv[1:]
    on_wayland = arguments[:1] == [WAYLAND]
    if on_wayland:
        arguments = arguments[1:]
    if len(arguments) != 1:
        sys.exit(__doc__)
    sys.exit(inner(arguments[0], on_wayland) if os.environ.get(INNER)
             else outer(arguments[0], on_wayland))
