#pragma once

#include "host/Channel.h"
#include "shadeset/Folders.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class DataDialog;
class Prompt;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

namespace tessel {
class TesselWidget;
}

// The one window: colours, name and count in, shadesets built, shown, browsed and deleted.
// Handlers are named after their control and event; each reads the controls, asks the
// plain functions of palette/ and shadeset/ for its commands, sends them and sets the
// controls.
class frmHuewright : public QWidget
{
    Q_OBJECT

public:
    // `tesselTrace`: where the Tessel control traces the calls made to it; empty: nowhere.
    frmHuewright(Prompt &prompt, const Folders &folders, const QString &tesselTrace = {},
                 QWidget *parent = nullptr);
    ~frmHuewright() override;

    // The channel to the host control. The first call loads the window (Form_Load).
    host::Channel &Tessel1();
    // Puts another channel in front of the control, before the window is loaded; tests
    // record or script the host with it.
    void setChannel(std::unique_ptr<host::Channel> channel);

    // Whether shadeset FileName exists in the shadeset folder; cuts a trailing ".shd"
    // (any case) from FileName first.
    bool CheckIfExists(QString &FileName);

    // Number of symbols of the shadeset last created.
    qint16 nSymbs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The drawing area's menu from the keyboard (the menu key), wherever the focus is not
    // in a field that has a menu of its own.
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void buildLayout();
    void connectHandlers();

    void Form_Load();
    void cboColor_Change(int n);
    void cboColor_Click(int n);
    void txtShdName_Change();
    void cmdReset_Click();
    void cmdClear_Click();
    void cmdQuit_Click();
    void PreviewColor(int N);
    void txtNSymb_LostFocus();
    void cmdCreateShd_Click();
    void cmdDisplayShd_Click();
    void cmdNavDispShd_Click();
    void cmdDeleteShd_Click();
    // The drawing area's menu: the space new ramps are made in, and a check of the
    // shadeset on display. Made, and the space read from the settings, when first needed:
    // start-up does without them.
    void connectTesselMenu();
    QMenu *tesselMenu();
    const QString &rampSpace();
    void mnuRampSpace_Click(const QString &space);
    bool evenSteps();
    void mnuEvenSteps_Click(bool on);
    void mnuCheck_Click();
    // Show on data: the dialog, made when first asked for.
    void mnuShowOnData_Click();

    // Sends one command with hostMsgs, keeps its status in hostStatus and returns it.
    qint32 send(const QString &text);
    // Sends `commands` in order up to the first that fails; shows that one's message on the
    // status line and returns false.
    bool sendAll(const QStringList &commands);
    QString lastHostMessage() const;
    void setStatus(const QString &text);
    void setCreateCaptionItalic(bool italic);
    // Disables, in order, the previews, colour boxes 4 to 7, Create and Display.
    void closePreparation();
    // Stops a construction before anything is sent: the box, then focus to `field`.
    void refuseCreate(const QString &title, const QString &text, QWidget *field);

    Prompt &m_prompt;
    const Folders m_folders;
    std::unique_ptr<host::Channel> m_channel;
    bool m_loaded = false;
    bool m_inLostFocus = false;

    // Form-level variables.
    qint32 hostStatus = 0;
    std::unique_ptr<host::Messages> hostMsgs;
    QString ShdName;
    qint16 colorIndex = 0;
    qint16 colorsReady = 0;
    QString browsePath; // the path last picked in the Shadeset Browser
    // The file the browser showed since Display or Create last set Delete's target; empty:
    // none, and Delete removes what the user last displayed or created without asking.
    QString m_browsedPath;
    QMenu *m_tesselMenu = nullptr;
    DataDialog *m_dataDialog = nullptr;
    QString m_rampSpace;                             // chosen and remembered: rgb, lab or oklab
    QString m_toldRampSpace = QStringLiteral("rgb"); // Tessel's .rampspace as last set
    std::optional<bool> m_evenSteps;                 // chosen and remembered

    // Controls, named as on the form; colour row n is index n - 1.
    std::array<QComboBox *, 7> cboColor{};
    std::array<QPushButton *, 7> cmdPatch{};
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtShdName = nullptr;
    QLineEdit *txtNSymb = nullptr;
    QPushButton *cmdCreateShd = nullptr;
    QPushButton *cmdDisplayShd = nullptr;
    QPushButton *cmdDeleteShd = nullptr;
    QPushButton *cmdNavDispShd = nullptr;
    QPushButton *cmdQuit = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdClear = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_statusPanel = nullptr;
    tessel::TesselWidget *m_tessel = nullptr;
};
