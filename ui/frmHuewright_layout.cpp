// The window's controls: positions and sizes in twips, captions, fonts, keyboard order,
// and the wiring of every event to its handler.
#include "frmHuewright.h"
#include "host/TesselChannel.h"
#include "tessel/TesselWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kTwipsPerPixel = 15;

QFont formFont(bool bold)
{
    // Every attribute is set explicitly, so a frame's bold or italic caption does not
    // reach the controls inside it.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    font.setItalic(false);
    return font;
}

template <typename W>
W *place(W *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                        height / kTwipsPerPixel);
    widget->setFont(formFont(false));
    return widget;
}

QComboBox *colorBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    // The box holds exactly what was typed or picked.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    return box;
}

} // namespace

frmHuewright::frmHuewright(Prompt &prompt, const QString &tesselFolder, QWidget *parent)
    : QWidget(parent), m_prompt(prompt)
{
    // Where MS Sans Serif is missing, a font of like widths keeps the captions inside
    // their controls; the system sans serif comes after.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    m_tessel =
        place(new tessel::TesselWidget(tesselFolder, this), "Tessel1", 3135, 150, 2025, 7515);
    m_tessel->setFocusPolicy(Qt::NoFocus);
    m_channel = std::make_unique<host::TesselChannel>(*m_tessel);
    buildLayout();
    connectHandlers();
}

frmHuewright::~frmHuewright()
{
    // Tearing the controls down moves the focus, and a colour box then reports its text as
    // picked: no handler may run on a window that is half gone.
    const QList<QObject *> controls = findChildren<QObject *>();
    for (QObject *control : controls) {
        control->disconnect(this);
    }
    txtNSymb->removeEventFilter(this);
}

void frmHuewright::buildLayout()
{
    setObjectName(QStringLiteral("frmHuewright"));
    setWindowTitle(QStringLiteral("Create a Continuous Shadeset"));
    setFixedSize(5220 / kTwipsPerPixel, 8040 / kTwipsPerPixel);
    setFont(formFont(false));

    Frame1 = place(new QGroupBox(QStringLiteral("Set Shadeset Parameters "), this), "Frame1", 30,
                   75, 3030, 4905);
    Frame1->setFont(formFont(true));
    Label2 = place(new QLabel(QStringLiteral("Name for the Shadeset:"), Frame1), "Label2", 135, 405,
                   1695, 285);
    txtShdName = place(new QLineEdit(Frame1), "txtShdName", 1890, 345, 990, 345);
    Label3 = place(new QLabel(QStringLiteral("Number of Symbols:"), Frame1), "Label3", 120, 765,
                   1605, 240);
    txtNSymb = place(new QLineEdit(QStringLiteral("999"), Frame1), "txtNSymb", 1890, 735, 990, 345);
    Label1 = place(new QLabel(QStringLiteral("Type in 3 to 7 Color Names."), Frame1), "Label1", 135,
                   1380, 2265, 240);
    Label4 = place(new QLabel(QStringLiteral("Start specifying colors from the bottom."), Frame1),
                   "Label4", 135, 1620, 2745, 255);

    // Rows from the bottom: {box top, button top}; boxes 5 and 6 belong to the window and
    // lie over the frame, in line with the others.
    static constexpr std::array<std::pair<int, int>, 7> kRows = {{
        {4380, 4365},
        {3990, 3975},
        {3585, 3585},
        {3195, 3195},
        {2880, 2805},
        {2505, 2415},
        {2025, 2025},
    }};
    static constexpr std::array<const char *, 7> kBoxNames = {
        "cboColor1", "cboColor2", "cboColor3", "cboColor4", "cboColor5", "cboColor6", "cboColor7"};
    static constexpr std::array<const char *, 7> kPatchNames = {
        "cmdPatch1", "cmdPatch2", "cmdPatch3", "cmdPatch4", "cmdPatch5", "cmdPatch6", "cmdPatch7"};
    for (int i = 0; i < 7; ++i) {
        const bool onWindow = i == 4 || i == 5;
        cboColor[i] = place(colorBox(onWindow ? static_cast<QWidget *>(this) : Frame1),
                            kBoxNames[i], onWindow ? 150 : 120, kRows[i].first, 1800, 315);
        cmdPatch[i] = place(new QPushButton(QStringLiteral("Color %1").arg(i + 1), Frame1),
                            kPatchNames[i], 1995, kRows[i].second, 870, 330);
    }

    Frame2 =
        place(new QGroupBox(QStringLiteral("New Shadeset "), this), "Frame2", 30, 5025, 3030, 1290);
    cmdCreateShd = place(new QPushButton(QStringLiteral("Create Shadeset"), Frame2), "cmdCreateShd",
                         585, 315, 1830, 405);
    cmdDisplayShd = place(new QPushButton(QStringLiteral("Display"), Frame2), "cmdDisplayShd", 585,
                          780, 900, 375);
    cmdDeleteShd = place(new QPushButton(QStringLiteral("Delete"), Frame2), "cmdDeleteShd", 1515,
                         780, 900, 375);
    cmdNavDispShd = place(new QPushButton(QStringLiteral("Shadeset Browser"), this),
                          "cmdNavDispShd", 615, 6615, 1845, 375);
    cmdQuit = place(new QPushButton(QStringLiteral("Quit"), this), "cmdQuit", 45, 7290, 885, 375);
    cmdReset =
        place(new QPushButton(QStringLiteral("Reset"), this), "cmdReset", 1005, 7290, 855, 375);
    cmdClear = place(new QPushButton(QStringLiteral("Clear Display"), this), "cmdClear", 1935, 7290,
                     1125, 375);

    StatusBar1 = place(new QStatusBar(this), "StatusBar1", 0, 7725, 5220, 315);
    StatusBar1->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(StatusBar1);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel->setFont(formFont(true));
    m_statusPanel->setMinimumWidth(1440 / kTwipsPerPixel);
    m_statusPanel->setFixedWidth(5190 / kTwipsPerPixel);
    StatusBar1->addWidget(m_statusPanel);

    cboColor[4]->raise();
    cboColor[5]->raise();

    // Keyboard order by tab index; labels, frames, the status bar and Tessel take no focus.
    const std::vector<QWidget *> order = {
        cmdQuit,      cmdClear,      txtShdName,   txtNSymb,    cmdPatch[0], cmdPatch[1],
        cmdPatch[2],  cmdPatch[3],   cmdPatch[4],  cmdPatch[5], cmdPatch[6], cmdNavDispShd,
        cmdCreateShd, cmdDisplayShd, cmdDeleteShd, cmdReset,    cboColor[0], cboColor[1],
        cboColor[3],  cboColor[2],   cboColor[5],  cboColor[4], cboColor[6]};
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void frmHuewright::connectHandlers()
{
    for (int i = 0; i < 7; ++i) {
        const int n = i + 1;
        connect(cboColor[i], &QComboBox::editTextChanged, this, [this, n] { cboColor_Change(n); });
        connect(cboColor[i], &QComboBox::activated, this, [this, n] { cboColor_Click(n); });
        connect(cmdPatch[i], &QPushButton::clicked, this, [this, n] { PreviewColor(n); });
    }
    connect(txtShdName, &QLineEdit::textChanged, this, [this] { txtShdName_Change(); });
    txtNSymb->installEventFilter(this);
    connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(cmdCreateShd, &QPushButton::clicked, this, [this] { cmdCreateShd_Click(); });
    connect(cmdDisplayShd, &QPushButton::clicked, this, [this] { cmdDisplayShd_Click(); });
    connect(cmdNavDispShd, &QPushButton::clicked, this, [this] { cmdNavDispShd_Click(); });
    connect(cmdDeleteShd, &QPushButton::clicked, this, [this] { cmdDeleteShd_Click(); });
}

bool frmHuewright::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtNSymb && event->type() == QEvent::FocusOut) {
        // Only a move to another control of this window counts: not the window losing
        // activation, nor a popup or message box opening.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        QWidget *next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            next != nullptr && next != txtNSymb && isAncestorOf(next)) {
            txtNSymb_LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmHuewright::setChannel(std::unique_ptr<host::Channel> channel)
{
    m_channel = std::move(channel);
}

host::Channel &frmHuewright::Tessel1()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    return *m_channel;
}

QString frmHuewright::statusText() const
{
    return m_statusPanel->text();
}

void frmHuewright::setStatus(const QString &text)
{
    m_statusPanel->setText(text);
}
