#include <QMessageBox>
#include <string>

#include "mail/mail_link.h"
#include "mail/open_mail_link.h"
#include "mail/short_date_text.h"
#include "ui/busy_cursor.h"
#include "ui/calendar_date.h"
#include "ui/frm_main.h"
#include "ui/responsive_wait.h"

namespace brennquist {

// Opens the desktop's mail program with the inquiry to the vendor. The date is
// read once, the five texts as they stand now; no control changes. When the
// link cannot be handed over, a box says why rather than nothing happening.
void frmMain::cmdMailOrder_Click() {
    const std::string dateText = ShortDateText(ToYearMonthDay(environment_.today()));
    // The window goes on repainting and answering the desktop while the mail
    // program takes the link; what the user does meanwhile is handled after.
    const MailOutcome outcome = [&] {
        const BusyCursor busy;
        return OpenMailLink(ComposeMailLink(CurrentInputs(), dateText), AwaitResponsively);
    }();
    switch (outcome) {
        case MailOutcome::HandedOver:
            return;
        case MailOutcome::NoMailProgram:
            messages_.Show(QStringLiteral("Es ist kein E-Mail-Programm eingerichtet."),
                           QStringLiteral("Hinweis"), QMessageBox::Warning);
            return;
        case MailOutcome::StartFailed:
            messages_.Show(QStringLiteral("Das E-Mail-Programm konnte nicht gestartet werden."),
                           QStringLiteral("Hinweis"), QMessageBox::Warning);
            return;
    }
}

}  // namespace brennquist
