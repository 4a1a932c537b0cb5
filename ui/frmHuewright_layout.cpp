// The window's controls: places, captions, fonts and keyboard order from the form's layout
// table, and the wiring of every event to its handler.
#include "FormLayout.h"
#include "frmHuewright.h"
#include "host/TesselChannel.h"
#include "tessel/draw/TesselWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <vector>

namespace {

// The form's face. MS Sans Serif 8.25 pt is a Windows face; elsewhere Liberation Sans at 10
// pixels draws the captions about as wide as MS Sans Serif did at 96 dpi, so each fits the
// place the form gives it (at 8.25 pt, 11 pixels, two labels lose their last letters).
QFont formFont(bool bold)
{
#ifdef Q_OS_WIN
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
#else
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

void setCaption(QWidget *, const QString &) {}
void setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
}
void setCaption(QPushButton *button, const QString &text)
{
    button->setText(text);
}
void setCaption(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
}
void setCaption(QGroupBox *group, const QString &text)
{
    group->setTitle(text);
}

// Gives `widget` the name, place and caption of its row in the layout table. Every control
// is the window's own child, at its window place: a frame is drawn under the controls it
// holds, so its bold or italic caption reaches none of them.
template <typename W> W *place(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(windowPixels(controlPlace(name)));
    setCaption(widget, QString::fromLatin1(controlPlace(name).caption));
    return widget;
}

template <typename W> W *add(QWidget *form, const char *name)
{
    return place(new W(form), name);
}

// An editable colour box that holds exactly what was typed or picked: no completion and
// no insertion. Its line edit comes with `unused`, an empty completer, so that the box does
// not build a completer over its list of its own only to have it removed.
QComboBox *colorBox(QWidget *form, const QString &name, QCompleter *unused)
{
    auto *box = place(new QComboBox(form), qPrintable(name));
    auto *edit = new QLineEdit(box);
    edit->setCompleter(unused);
    box->setLineEdit(edit);
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    return box;
}

} // namespace

frmHuewright::frmHuewright(Prompt &prompt, const Folders &folders, const QString &tesselTrace,
                           QWidget *parent)
    : QWidget(parent), m_prompt(prompt), m_folders(folders)
{
    // The controls inherit the window's font as they are made; only the bold ones differ.
    setFont(formFont(false));
    m_tessel = place(new tessel::TesselWidget(folders.tesselDir, tesselTrace, this), "Tessel1");
    m_tessel->setFocusPolicy(Qt::NoFocus);
    m_channel = std::make_unique<host::TesselChannel>(m_tessel->host(),
                                                      [control = m_tessel] { control->update(); });
    buildLayout();
    connectHandlers();
    connectTesselMenu();
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

    Frame1 = add<QGroupBox>(this, "Frame1");
    Frame1->setFont(formFont(true));
    Frame2 = add<QGroupBox>(this, "Frame2");
    for (const char *label : {"Label1", "Label2", "Label3", "Label4"}) {
        add<QLabel>(this, label);
    }
    txtShdName = add<QLineEdit>(this, "txtShdName");
    txtNSymb = add<QLineEdit>(this, "txtNSymb");
    auto *unused = new QCompleter(this);
    for (int i = 0; i < 7; ++i) {
        cboColor[i] = colorBox(this, QStringLiteral("cboColor%1").arg(i + 1), unused);
        cmdPatch[i] = add<QPushButton>(this, qPrintable(QStringLiteral("cmdPatch%1").arg(i + 1)));
    }
    cmdCreateShd = add<QPushButton>(this, "cmdCreateShd");
    cmdDisplayShd = add<QPushButton>(this, "cmdDisplayShd");
    cmdDeleteShd = add<QPushButton>(this, "cmdDeleteShd");
    cmdNavDispShd = add<QPushButton>(this, "cmdNavDispShd");
    cmdQuit = add<QPushButton>(this, "cmdQuit");
    cmdReset = add<QPushButton>(this, "cmdReset");
    cmdClear = add<QPushButton>(this, "cmdClear");

    StatusBar1 = add<QStatusBar>(this, "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFont(formFont(true)); // its panel's text is bold
    m_statusPanel = new QLabel(StatusBar1);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel->setMinimumWidth(1440 / kTwipsPerPixel);
    m_statusPanel->setFixedWidth(5190 / kTwipsPerPixel);
    StatusBar1->addWidget(m_statusPanel);

    // Keyboard order by tab index; labels, frames, the status bar and Tessel take no focus.
    std::vector<std::pair<int, QWidget *>> order;
    for (const ControlPlace &row : kFormLayout) {
        auto *control = findChild<QWidget *>(QLatin1String(row.name));
        if (control->focusPolicy() & Qt::TabFocus) {
            order.emplace_back(row.tabIndex, control);
        }
    }
    std::sort(order.begin(), order.end());
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1].second, order[i].second);
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

void frmHuewright::setStatus(const QString &text)
{
    m_statusPanel->setText(text);
    // A long message is cut at the panel's edge: its whole text stays a hover away.
    m_statusPanel->setToolTip(text.trimmed().isEmpty() ? QString() : text);
}
