#pragma once

namespace brennquist {

// How the hand-over of the mail link to the desktop ended.
enum class MailOutcome {
    HandedOver,     // the mail program has the link, or is still busy taking it
    NoMailProgram,  // nothing on the desktop is set up to take "mailto" links
    StartFailed,    // something is set up for them, but it failed to start
};

}  // namespace brennquist
