#pragma once

#include <QWidget>
#include <array>

#include "engine/engine.h"
#include "ui/form_environment.h"
#include "ui/message_boxes.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brennquist {

class CrLinesLabel;

// The program's one window. Controls are children owned by Qt; each carries
// its name as objectName, so tests and outside checks find them by name.
// The inputs are the controls' texts; the results are kept as last shown,
// for the next recomputation and the report to start from.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    frmMain(MessageBoxes& messages, FormEnvironment environment, QWidget* parent = nullptr);

    // Start-up, before the window is shown (steps 1 to 7).
    void Form_Load();

    // Reads the nine inputs, writes every result caption, reports input errors.
    void Recalculate();

    // akku.dat in the settings folder (ui/frm_main_settings.cpp).
    void SaveSettings();
    void LoadSettings();

  private:
    // Event handlers; each button's lives in the file of its subsystem.
    void cmbCellSelect_Click();
    void TextField_Change(const QLineEdit& field);
    void cmdSave_Click();
    void cmdPrint_Click();      // ui/frm_main_print.cpp
    void cmdMailOrder_Click();  // ui/frm_main_mail.cpp
    void cmdQuit_Click();

    // The current inputs, taken from the controls, and the results shown.
    [[nodiscard]] InputSet CurrentInputs() const;
    [[nodiscard]] const ResultSet& CurrentResults() const { return shown_; }
    void ShowResults(const ResultSet& results);
    [[nodiscard]] QLineEdit* TextField(const InputEntry& field) const;
    [[nodiscard]] Separators NumberSeparators() const;

    void BuildControls();  // ui/frm_main_layout.cpp
    void SetFocusOrder();  // ui/frm_main_layout.cpp
    // What screen readers announce (ui/frm_main_accessibility.cpp); the
    // captions are renewed after each recomputation.
    void DescribeForScreenReaders();
    void UpdateAccessibleCaptions();
    void ConnectEvents();
    void CentreOnScreen();

    MessageBoxes& messages_;
    FormEnvironment environment_;
    ResultSet shown_;  // the labels' texts: the defaults are the captions they are built with
    // The text fields in kTextInputs' order, found by name once they are built.
    std::array<QLineEdit*, kTextInputs.size()> textFields_{};

    // Controls, owned by their Qt parents.
    QLabel* Label13 = nullptr;
    QComboBox* cmbCellSelect = nullptr;
    QLabel* lblHinweis = nullptr;
    QGroupBox* txtKtxtK = nullptr;
    QLineEdit* txtK = nullptr;
    QLineEdit* txtI = nullptr;
    QLineEdit* txtg = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtReihe = nullptr;
    QLineEdit* txtPar = nullptr;
    QGroupBox* FrameMotor = nullptr;
    QLabel* lblImot = nullptr;
    QLabel* lblEta = nullptr;
    QLineEdit* txtIL = nullptr;
    QLineEdit* txtEta = nullptr;
    QLineEdit* txtnV = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* lblU = nullptr;
    QLabel* lblI = nullptr;
    QLabel* lblK = nullptr;
    QLabel* lblg = nullptr;
    QLabel* lblz = nullptr;
    QLabel* lblt = nullptr;
    QLabel* lblMessage = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* lbllbln = nullptr;
    QLabel* lbllblPW = nullptr;
    QLabel* lbln = nullptr;
    QLabel* lblPW = nullptr;
    QLabel* lbln100 = nullptr;
    QLabel* lblLuftS = nullptr;
    QLabel* Image1 = nullptr;
    CrLinesLabel* lblFirma = nullptr;  // caption() holds the CR-joined text
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdMailOrder = nullptr;
    QPushButton* cmdQuit = nullptr;
};

}  // namespace brennquist
