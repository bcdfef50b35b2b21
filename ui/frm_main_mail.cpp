#include "ui/frm_main.h"

#include <string>

#include "mail/mail_link.h"
#include "mail/open_mail_link.h"
#include "mail/short_date_text.h"

namespace brennquist {

// Opens the desktop's mail program with the inquiry to the vendor. The date is
// read once, the five texts as they stand now; no control changes and nothing
// is reported, whatever the hand-over does.
void frmMain::cmdMailOrder_Click() {
    const std::string dateText =
        ShortDateText(environment_.today(), environment_.locale).toStdString();
    OpenMailLink(ComposeMailLink(CurrentInputs(), dateText));
}

}  // namespace brennquist
