#pragma once

namespace brennquist {

// How a press of "Drucken" ended.
enum class PrintOutcome {
    Printed,                 // the page is in the default printer's queue
    NoDefaultPrinter,        // the print service runs but has no default printer set up
    JobFailed,               // the document could not be made or the queue refused it
    ServiceUnreachable,      // no print service could be reached at all
    NoAnswer,                // the print service did not answer within the time limit
    AuthenticationRequired,  // the print service wants a user name and password
    Cancelled,               // the user cancelled choosing the file the printer prints into
};

}  // namespace brennquist
