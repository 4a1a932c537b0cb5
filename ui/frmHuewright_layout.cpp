// The window's controls: places, captions, fonts and keyboard order from the form's layout
// table, and the wiring of every event to its handler.
#include "FormLayout.h"
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
#include <vector>

namespace {

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

// Gives `widget` the name, place, caption and font of its row in the layout table.
template <typename W> W *place(W *widget, const char *name)
{
    const ControlPlace &row = controlPlace(name);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(row.left / kTwipsPerPixel, row.top / kTwipsPerPixel,
                        row.width / kTwipsPerPixel, row.height / kTwipsPerPixel);
    widget->setFont(formFont(false));
    setCaption(widget, QString::fromLatin1(row.caption));
    return widget;
}

// A new control of kind W in the container its row names, placed as designed.
template <typename W> W *add(QWidget *form, const char *name)
{
    const char *container = controlPlace(name).container;
    QWidget *parent = *container ? form->findChild<QWidget *>(QLatin1String(container)) : form;
    return place(new W(parent), name);
}

} // namespace

frmHuewright::frmHuewright(Prompt &prompt, const Folders &folders, QWidget *parent)
    : QWidget(parent), m_prompt(prompt), m_folders(folders)
{
    // Where MS Sans Serif is missing, a font of like widths keeps the captions inside
    // their controls; the system sans serif comes after.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    m_tessel = place(new tessel::TesselWidget(folders.tesselDir, this), "Tessel1");
    m_tessel->setFocusPolicy(Qt::NoFocus);
    m_channel = std::make_unique<host::TesselChannel>(m_tessel->host(),
                                                      [control = m_tessel] { control->update(); });
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

    Frame1 = add<QGroupBox>(this, "Frame1");
    Frame1->setFont(formFont(true));
    Frame2 = add<QGroupBox>(this, "Frame2");
    for (const char *label : {"Label1", "Label2", "Label3", "Label4"}) {
        add<QLabel>(this, label);
    }
    txtShdName = add<QLineEdit>(this, "txtShdName");
    txtNSymb = add<QLineEdit>(this, "txtNSymb");
    for (int i = 0; i < 7; ++i) {
        cboColor[i] = add<QComboBox>(this, qPrintable(QStringLiteral("cboColor%1").arg(i + 1)));
        // The box holds exactly what was typed or picked.
        cboColor[i]->setEditable(true);
        cboColor[i]->setCompleter(nullptr);
        cboColor[i]->setInsertPolicy(QComboBox::NoInsert);
        cboColor[i]->setMaxVisibleItems(16);
        cmdPatch[i] = add<QPushButton>(this, qPrintable(QStringLiteral("cmdPatch%1").arg(i + 1)));
    }
    // Boxes 5 and 6 belong to the window and lie over the frame, drawn above it.
    cboColor[4]->raise();
    cboColor[5]->raise();
    cmdCreateShd = add<QPushButton>(this, "cmdCreateShd");
    cmdDisplayShd = add<QPushButton>(this, "cmdDisplayShd");
    cmdDeleteShd = add<QPushButton>(this, "cmdDeleteShd");
    cmdNavDispShd = add<QPushButton>(this, "cmdNavDispShd");
    cmdQuit = add<QPushButton>(this, "cmdQuit");
    cmdReset = add<QPushButton>(this, "cmdReset");
    cmdClear = add<QPushButton>(this, "cmdClear");

    StatusBar1 = add<QStatusBar>(this, "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(StatusBar1);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel->setFont(formFont(true));
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
}
