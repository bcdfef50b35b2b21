#pragma once

namespace brennquist {

// Whether the process shows a visible top-level window of its own: in the
// print helper, a printer's driver asking the user something (where a PDF
// goes, say), which may take them as long as they like.
[[nodiscard]] bool ShowsAWindow(unsigned long processId);

}  // namespace brennquist
