#include <QMessageBox>
#include <string>

#include "mail/mail_link.h"
#include "mail/open_mail_link.h"
#include "mail/short_date_text.h"
#include "ui/frm_main.h"

namespace brennquist {

// Opens the desktop's mail program with the inquiry to the vendor. The date is
// read once, the five texts as they stand now; no control changes. When
// nothing can take the link, a box says so rather than nothing happening.
void frmMain::cmdMailOrder_Click() {
    const std::string dateText =
        ShortDateText(environment_.today(), environment_.locale).toStdString();
    if (!OpenMailLink(ComposeMailLink(CurrentInputs(), dateText))) {
        messages_.Show(QStringLiteral("Es ist kein E-Mail-Programm eingerichtet."),
                       QStringLiteral("Hinweis"), QMessageBox::Warning);
    }
}

}  // namespace brennquist
