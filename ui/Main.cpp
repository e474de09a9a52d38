#include "Main.h"

#include "FnpNumericEdit.h"
#include "application.h"
#include "chartformats.h"
#include "explorerbutton.h"
#include "image.h"
#include "label.h"
#include "matherrors.h"
#include "messagebox.h"
#include "numlock.h"
#include "panel.h"
#include "paymentchart.h"
#include "radiogroup.h"
#include "regional.h"
#include "stringaligngrid.h"
#include "urllabel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>

int PaymentTableCalculated = 0;
TfrmMain *frmMain = nullptr;

namespace {

const QColor clSilver(192, 192, 192);
const QColor clYellow(255, 255, 0);
const QColor clBlue(0, 0, 255);
const QColor clRed(255, 0, 0);

constexpr int kClientWidth = 564; // an outer size of 572 x 412 with the classic frame
constexpr int kClientHeight = 386;
constexpr int kToolbarHeight = 32;
constexpr int kInputsHeight = 97;
constexpr int kGridHeight = 257;

const char kMathErrorMessage[] =
    "The results of this calculation cannot\n\rbe determined using the "
    "values you have entered.\n\r\n\rPlease try again with smaller "
    "numbers.";
const char kOtherErrorMessage[] =
    "An unidentified error has occurred.\n\r\n\rPlease contact Quindle Software.";

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The text colour of an enabled widget; a disabled one shows grey text, dark enough to read
// on the silver panels.
void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    }
    widget->setPalette(palette);
}

TLabel *makeLabel(QWidget *parent, const QString &caption, int left, int top)
{
    auto *label = new TLabel(caption, parent);
    label->setFont(arial(11));
    setTextColor(label, Qt::black);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TExplorerButton *makeToolButton(QWidget *parent, const QString &picture, const QString &hint,
                                int left)
{
    auto *button = new TExplorerButton(parent);
    button->setPicture(QIcon(picture));
    button->setIconOnly(true);
    button->setShowBevel(true);
    button->setHint(hint);
    button->setAccessibleName(hint);
    button->setGeometry(left, 4, 25, 24);
    return button;
}

TFnpNumericEdit *makeField(QWidget *parent, int top, int decimals, double value, int maxLength,
                           const QString &name)
{
    auto *field = new TFnpNumericEdit(parent);
    field->setFont(arial(12, true));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    // Alignment and decimals before the value, so the value takes the field's own format.
    field->setAlignment(Qt::AlignCenter);
    field->setDecimals(decimals);
    field->setValue(value);
    field->setMaxLength(maxLength);
    field->setGeometry(290, top, 93, 23);
    field->setAccessibleName(name);
    return field;
}

TRadioGroup *makeStepGroup(QWidget *parent, int left, const QStringList &items, const QString &name)
{
    auto *group = new TRadioGroup(parent);
    group->setFont(arial(11));
    setTextColor(group, Qt::black);
    group->setItems(items);
    group->setColumns(3);
    group->setItemIndex(3);
    group->setGeometry(left, 21, 159, 66);
    group->setAccessibleName(name);
    return group;
}

// The entered values' column and row on yellow, crossing at the selected centre cell.
void markCentre(TStringAlignGrid *grid)
{
    grid->setSelection(kCentreColumn, kCentreRow);
    grid->setColorCol(kCentreColumn, clYellow);
    grid->setColorRow(kCentreRow, clYellow);
}

// Where the chart goes: copied into the grid only once every cell is known.
void copyChartToGrid(const ChartTable &chart, TStringAlignGrid *grid)
{
    for (int col = 0; col < kChartColumns; ++col) {
        for (int row = 0; row < kChartRows; ++row) {
            if (col == 0 && row == 0)
                continue;
            grid->setCells(col, row, QString::fromStdString(chart.cell(col, row)));
        }
    }
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : TForm(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    frmMain = this;
    setCaption(QStringLiteral("Ratewright Calculator 32, 2.2"));
    setObjectName(QStringLiteral("frmMain"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, clSilver);
    setPalette(palette);
    resize(kClientWidth, kClientHeight);

    createComponents();
    bindEvents();
    FormCreate(this);
}

TfrmMain::~TfrmMain()
{
    if (Application) {
        Application->OnActivate = nullptr;
        Application->OnException = nullptr;
    }
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::createComponents()
{
    // Children are made in tab order, which Qt takes from the order of creation.
    Panel2 = new TPanel(this);
    Panel1 = new TPanel(this);
    for (TPanel *panel : {Panel2, Panel1}) {
        panel->setColor(clSilver);
        panel->setBevelOuter(TBevelCut::Raised);
    }
    createInputs();
    createToolbar();
    createGrid();
    createDisclaimer();
    createMenu();

    // The tab order: the input panel (fields, then the step groups), the toolbar, the grid
    // (skipped by Tab), the disclaimer's button.
    setTabOrder(edtLoan, edtTerm);
    setTabOrder(edtTerm, edtInterest);
    setTabOrder(edtInterest, rgLoan);
    setTabOrder(rgLoan, rgInterest);
}

void TfrmMain::createInputs()
{
    Panel1->setGeometry(0, kToolbarHeight, kClientWidth, kInputsHeight);

    Image1 = new TImage(Panel1);
    Image1->setPicture(QIcon(QStringLiteral(":/pictures/logo.svg")));
    Image1->setGeometry(4, 1, 68, 93);
    Image1->setAccessibleName(QStringLiteral("Quindle Software logo"));

    Label4 = makeLabel(Panel1, QStringLiteral("Increment Loan Amounts By:"), 93, 7);
    Label1 = makeLabel(Panel1, QStringLiteral("Loan:"), 259, 17);
    Label3 = makeLabel(Panel1, QStringLiteral("Years:"), 253, 43);
    Label2 = makeLabel(Panel1, QStringLiteral("Rate:"), 261, 69);
    Label5 = makeLabel(Panel1, QStringLiteral("Increment Interest Rates By:"), 404, 7);

    edtLoan = makeField(Panel1, 13, 2, 100000.0, 16, QStringLiteral("Loan"));
    edtTerm = makeField(Panel1, 39, 0, 25.0, 0, QStringLiteral("Years"));
    edtInterest = makeField(Panel1, 65, 3, 8.75, 16, QStringLiteral("Rate"));
    Label1->setBuddy(edtLoan);
    Label3->setBuddy(edtTerm);
    Label2->setBuddy(edtInterest);

    rgLoan =
        makeStepGroup(Panel1, 83,
                      {QStringLiteral(" 100"), QStringLiteral(" 250"), QStringLiteral(" 500"),
                       QStringLiteral(" 1000"), QStringLiteral(" 2000"), QStringLiteral(" 2500"),
                       QStringLiteral(" 3000"), QStringLiteral(" 4000"), QStringLiteral(" 5000")},
                      QStringLiteral("Increment loan amounts by"));
    rgInterest =
        makeStepGroup(Panel1, 393,
                      {QStringLiteral("  .10"), QStringLiteral("  .125"), QStringLiteral("  .20"),
                       QStringLiteral("  .25"), QStringLiteral("  .333"), QStringLiteral("  .375"),
                       QStringLiteral("  .5"), QStringLiteral("  .75"), QStringLiteral(" 1.0")},
                      QStringLiteral("Increment interest rates by"));
}

void TfrmMain::createToolbar()
{
    Panel2->setGeometry(0, 0, kClientWidth, kToolbarHeight);

    lblTitle = makeLabel(Panel2, QStringLiteral("Quindle Software"), 16, 7);
    lblTitle->setFont(arial(16, true));
    lblTitle->adjustSize();

    UrlLabel1 = new TUrlLabel(Panel2);
    UrlLabel1->setCaption(QStringLiteral("https://www.example.com/"));
    UrlLabel1->setUrl(UrlLabel1->Caption());
    QFont linkFont = arial(11);
    linkFont.setUnderline(true);
    UrlLabel1->setFont(linkFont);
    setTextColor(UrlLabel1, clBlue);
    UrlLabel1->setGeometry(218, 9, 148, 14);
    UrlLabel1->setAccessibleName(QStringLiteral("Quindle Software web site"));

    btnPrint = makeToolButton(Panel2, QStringLiteral(":/pictures/print.svg"),
                              QStringLiteral("Print Preview"), 408);
    btnDisclaim = makeToolButton(Panel2, QStringLiteral(":/pictures/info.svg"),
                                 QStringLiteral("Disclaimer"), 449);
    btnHelp = makeToolButton(Panel2, QStringLiteral(":/pictures/help.svg"),
                             QStringLiteral("About..."), 491);
    btnExit =
        makeToolButton(Panel2, QStringLiteral(":/pictures/exit.svg"), QStringLiteral("Exit"), 532);
    btnPrint->setEnabled(false);
}

void TfrmMain::createGrid()
{
    grdPayment = new TStringAlignGrid(kChartColumns, kChartRows, this);
    grdPayment->setGeometry(0, kToolbarHeight + kInputsHeight, kClientWidth, kGridHeight);
    grdPayment->setFixedCols(1);
    grdPayment->setFixedRows(1);
    grdPayment->setDefaultRowHeight(20);
    grdPayment->setFont(arial(11));
    grdPayment->setColor(Qt::white);
    grdPayment->setFixedColor(clSilver);
    grdPayment->setSelectedCellColor(clYellow);
    grdPayment->setSelectedFontColor(Qt::black);
    grdPayment->setAccessibleName(QStringLiteral("Payment chart"));
}

void TfrmMain::createDisclaimer()
{
    pnlDisclaim = new TPanel(this);
    pnlDisclaim->setColor(clSilver);
    pnlDisclaim->setBevelOuter(TBevelCut::None);
    pnlDisclaim->setGeometry(4, 36, 556, 90);
    pnlDisclaim->setAccessibleName(QStringLiteral("Disclaimer"));

    const auto redText = [this](const QString &text, int top, int width) {
        auto *label = new TLabel(text, pnlDisclaim);
        label->setWordWrap(true);
        label->setFont(arial(12));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColor(label, clRed);
        label->setGeometry(13, top, width, 30);
        return label;
    };
    Label7 = redText(QStringLiteral("While effort was made to ensure the accuracy of these "
                                    "calculations, there is NO WARRANTY, expressed or implied, for "
                                    "the accuracy or applicability of this information to your "
                                    "financial situation."),
                     10, 530);
    Label12 = redText(QStringLiteral("Please check with your own financial advisor before making "
                                     "any financial decisions based upon this information"),
                      49, 350);

    btnAgree = new TExplorerButton(pnlDisclaim);
    btnAgree->setPicture(QIcon(QStringLiteral(":/pictures/agree.svg")));
    btnAgree->setCaption(QStringLiteral("  I Agree"));
    btnAgree->setFont(arial(11));
    setTextColor(btnAgree, Qt::black);
    btnAgree->setGeometry(413, 49, 125, 30);
    btnAgree->setAccessibleName(QStringLiteral("I Agree"));
    pnlDisclaim->hide();
}

void TfrmMain::createMenu()
{
    mnuPop = new QMenu(this);
    mnuPopPrint = mnuPop->addAction(QStringLiteral("&Print Preview"));
    N2 = mnuPop->addSeparator();
    mnuPopDisclaimer = mnuPop->addAction(QStringLiteral("Disclaimer..."));
    mnuPopAbout = mnuPop->addAction(QStringLiteral("&About..."));
    N1 = mnuPop->addSeparator();
    mnuPopExit = mnuPop->addAction(QStringLiteral("E&xit"));
    mnuPopPrint->setEnabled(false);
}

void TfrmMain::bindEvents()
{
    const auto handler = [this](void (TfrmMain::*method)(QObject *)) {
        return [this, method](QObject *sender) { (this->*method)(sender); };
    };
    OnActivate = handler(&TfrmMain::FormActivate);

    edtLoan->OnExit = handler(&TfrmMain::CalculatePaymentTable);
    edtTerm->OnExit = handler(&TfrmMain::CalculatePaymentTable);
    edtInterest->OnExit = handler(&TfrmMain::CalculatePaymentTable);
    edtTerm->OnInvalidEntry = handler(&TfrmMain::edtTermInvalidEntry);
    rgLoan->OnClick = handler(&TfrmMain::CalculatePaymentTable);
    rgInterest->OnClick = handler(&TfrmMain::CalculatePaymentTable);
    grdPayment->OnClick = handler(&TfrmMain::CalculatePaymentTable);

    btnPrint->OnClick = handler(&TfrmMain::btnPrintClick);
    btnDisclaim->OnClick = handler(&TfrmMain::btnDisclaimClick);
    btnAgree->OnClick = handler(&TfrmMain::btnAgreeClick);
    btnHelp->OnClick = handler(&TfrmMain::btnHelpClick);
    lblTitle->OnClick = handler(&TfrmMain::btnHelpClick);
    Image1->OnClick = handler(&TfrmMain::btnHelpClick);
    btnExit->OnClick = handler(&TfrmMain::btnExitClick);

    const auto menuItem = [this](QAction *item, void (TfrmMain::*method)(QObject *)) {
        connect(item, &QAction::triggered, this, [this, item, method] { (this->*method)(item); });
    };
    menuItem(mnuPopPrint, &TfrmMain::btnPrintClick);
    menuItem(mnuPopDisclaimer, &TfrmMain::btnDisclaimClick);
    menuItem(mnuPopAbout, &TfrmMain::btnHelpClick);
    menuItem(mnuPopExit, &TfrmMain::btnExitClick);
}

void TfrmMain::FormCreate(QObject *)
{
    PaymentTableCalculated = 0;
    markCentre(grdPayment);

    if (Application) {
        Application->OnActivate = [this](QObject *sender) { ApplicationActivate(sender); };
        Application->OnException = [this](QObject *sender, std::exception_ptr e) {
            AppOnException(sender, std::move(e));
        };
        Application->setHintPause(0);
    }

    for (int col = 0; col < kChartColumns; ++col)
        grdPayment->setColWidths(col, 69);

    grdPayment->setCells(0, 0, QStringLiteral(" Amount/Rate"));
    const char *amounts[] = {" $95,000.00",  " $96,000.00",  " $97,000.00",  " $98,000.00",
                             " $99,000.00",  " $100,000.00", " $101,000.00", " $102,000.00",
                             " $103,000.00", " $104,000.00", " $105,000.00"};
    for (int row = 1; row < kChartRows; ++row)
        grdPayment->setCells(0, row, QString::fromLatin1(amounts[row - 1]));
    const char *rates[] = {"8.00%", "8.25%", "8.50%", "8.75%", "9.00%", "9.25%", "9.50%"};
    for (int col = 1; col < kChartColumns; ++col)
        grdPayment->setCells(col, 0, QString::fromLatin1(rates[col - 1]));

    SetNumlockTrue();
}

void TfrmMain::SetNumlockTrue()
{
    // Key up and toggle off: switch the toggle on. Otherwise the keyboard stays as it is.
    if (GetNumLockKeyState() == 0)
        SetNumLockToggle(true);
}

void TfrmMain::btnExitClick(QObject *)
{
    close();
}

void TfrmMain::CalculatePaymentTable(QObject *)
{
    ChartInputs inputs;
    inputs.loanAmount = store(edtLoan->Value());

    std::int32_t years = TermYears(edtTerm->Value());
    if (years <= 0) {
        years = kFallbackYears;
        edtTerm->setValue(kFallbackYears);
        ShowInformation(QStringLiteral("The number of years must be greater than 0."));
    }
    inputs.paymentCount = 12 * years;

    inputs.rate = store(edtInterest->Value());
    inputs.loanIncrement = LoanIncrements(rgLoan->ItemIndex());
    inputs.rateIncrement = RateIncrements(rgInterest->ItemIndex());

    // A chart that fails half-way must not leave the grid half new, half old.
    ChartTable chart;
    ComputePaymentChart(inputs, UserRegionalSettings(), chart);
    copyChartToGrid(chart, grdPayment);

    markCentre(grdPayment);

    btnPrint->setEnabled(true);
    mnuPopPrint->setEnabled(true);
    PaymentTableCalculated = 1;
}

void TfrmMain::FormActivate(QObject *)
{
    edtLoan->setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmMain::ApplicationActivate(QObject *)
{
    if (QWidget *form = Application ? Application->ActiveForm() : nullptr) {
        form->raise();
        form->activateWindow();
    }
}

void TfrmMain::btnHelpClick(QObject *)
{
    // The about box joins the program with its own window class.
}

void TfrmMain::AppOnException(QObject *, std::exception_ptr E)
{
    bool mathError = false;
    try {
        std::rethrow_exception(E);
    } catch (const EMathError &) {
        mathError = true;
    } catch (...) {
    }
    ShowInformation(QString::fromLatin1(mathError ? kMathErrorMessage : kOtherErrorMessage));
}

void TfrmMain::btnPrintClick(QObject *)
{
    // The report and its preview join the program with their own window classes.
}

void TfrmMain::edtTermInvalidEntry(QObject *)
{
    ShowInformation(QStringLiteral("The number of years must be between 1 and 999."));
    edtTerm->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::btnDisclaimClick(QObject *)
{
    pnlDisclaim->show();
    pnlDisclaim->raise();
    grdPayment->setEnabled(false);
    for (TExplorerButton *button : {btnExit, btnHelp, btnPrint, btnDisclaim})
        button->setEnabled(false);
    lblTitle->setEnabled(false);
    UrlLabel1->setEnabled(false);
}

void TfrmMain::btnAgreeClick(QObject *)
{
    pnlDisclaim->hide();
    grdPayment->setEnabled(true);
    btnExit->setEnabled(true);
    btnHelp->setEnabled(true);
    if (PaymentTableCalculated == 1)
        btnPrint->setEnabled(true);
    btnDisclaim->setEnabled(true);
    lblTitle->setEnabled(true);
    UrlLabel1->setEnabled(true);
}

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    // The toolbar, the input panel and the grid span the client width.
    const int width = event->size().width();
    Panel2->resize(width, kToolbarHeight);
    Panel1->resize(width, kInputsHeight);
    grdPayment->resize(width, kGridHeight);
    TForm::resizeEvent(event);
}

void TfrmMain::contextMenuEvent(QContextMenuEvent *event)
{
    mnuPop->popup(event->globalPos());
    event->accept();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    TForm::showEvent(event);
}
