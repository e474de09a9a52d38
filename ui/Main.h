#pragma once

#include "form.h"

#include <exception>

class QAction;
class QMenu;
class TExplorerButton;
class TFnpNumericEdit;
class TImage;
class TLabel;
class TPanel;
class TRadioGroup;
class TStringAlignGrid;
class TUrlLabel;

// 0 until a chart has been computed, then 1.
extern int PaymentTableCalculated;

// The program's working window: the three entry fields, the two step choices, the payment grid,
// the toolbar, the context menu and the disclaimer panel. Closing it ends the program.
class TfrmMain : public TForm
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    TPanel *Panel1;
    TLabel *Label1;
    TLabel *Label2;
    TLabel *Label3;
    TRadioGroup *rgInterest;
    TRadioGroup *rgLoan;
    TLabel *Label4;
    TLabel *Label5;
    TPanel *Panel2;
    TExplorerButton *btnExit;
    TExplorerButton *btnHelp;
    TImage *Image1;
    TExplorerButton *btnPrint;
    TLabel *lblTitle;
    QMenu *mnuPop;
    QAction *mnuPopPrint;
    QAction *mnuPopAbout;
    QAction *mnuPopDisclaimer;
    QAction *mnuPopExit;
    TFnpNumericEdit *edtTerm;
    TUrlLabel *UrlLabel1;
    TStringAlignGrid *grdPayment;
    TPanel *pnlDisclaim;
    TLabel *Label7;
    TLabel *Label12;
    TExplorerButton *btnAgree;
    TExplorerButton *btnDisclaim;
    TFnpNumericEdit *edtLoan;
    TFnpNumericEdit *edtInterest;
    QAction *N1;
    QAction *N2;

    void FormCreate(QObject *Sender);
    void SetNumlockTrue();
    void btnExitClick(QObject *Sender);
    void CalculatePaymentTable(QObject *Sender);
    void FormActivate(QObject *Sender);
    void ApplicationActivate(QObject *Sender);
    void btnHelpClick(QObject *Sender);
    void AppOnException(QObject *Sender, std::exception_ptr E);
    void btnPrintClick(QObject *Sender);
    void edtTermInvalidEntry(QObject *Sender);
    void btnAgreeClick(QObject *Sender);
    void btnDisclaimClick(QObject *Sender);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createComponents();
    void createToolbar();
    void createInputs();
    void createGrid();
    void createDisclaimer();
    void createMenu();
    void bindEvents();

    bool m_placed = false;
};

// The one main window.
extern TfrmMain *frmMain;
