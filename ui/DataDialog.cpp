#include "DataDialog.h"

#include "Prompt.h"
#include "tessel/draw/TesselWidget.h"
#include "tessel/language/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QString kShadedSetting = QStringLiteral("showOnData/shaded");
const QString kClassesSetting = QStringLiteral("showOnData/classes");
const QString kFolderSetting = QStringLiteral("showOnData/folder");
const QString kSample = QStringLiteral("terrain.tif"); // in Tessel's own folder
constexpr int kLight = 315;                            // the azimuth of the shading
constexpr double kDots = 96;                           // Tessel's dots per inch
constexpr double kScaleHeight = 0.7;                   // inches under the map for its scale

QString inches(double pixels)
{
    return QString::number(pixels / kDots, 'f', 3);
}

} // namespace

DataDialog::DataDialog(Prompt &prompt, const QString &tesselFolder, QWidget *parent)
    : QDialog(parent), m_prompt(prompt)
{
    setObjectName(QStringLiteral("dlgShowOnData"));
    setWindowTitle(QStringLiteral("Show on Data"));
    m_map = new tessel::TesselWidget(tesselFolder, QString(), this);
    m_map->setObjectName(QStringLiteral("mapData"));
    m_map->setMinimumSize(240, 200);
    m_grid = new QLabel(this);
    m_grid->setObjectName(QStringLiteral("lblGrid"));
    auto *choose = new QPushButton(QStringLiteral("Choose grid…"), this);
    choose->setObjectName(QStringLiteral("cmdChooseGrid"));
    QSettings settings;
    m_shaded = new QCheckBox(QStringLiteral("Shaded relief"), this);
    m_shaded->setObjectName(QStringLiteral("chkShaded"));
    m_shaded->setChecked(settings.value(kShadedSetting, true).toBool());
    m_classes = new QComboBox(this);
    m_classes->setObjectName(QStringLiteral("cboClasses"));
    m_classes->addItem(QStringLiteral("Linear classes"), QStringLiteral("linear"));
    m_classes->addItem(QStringLiteral("Equalized classes"), QStringLiteral("equalized"));
    m_classes->setCurrentIndex(
        settings.value(kClassesSetting).toString() == QLatin1String("equalized") ? 1 : 0);
    m_data = new QLabel(this);
    m_data->setObjectName(QStringLiteral("lblData"));
    m_data->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_data->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_grid, 1);
    top->addWidget(choose);
    auto *options = new QHBoxLayout;
    options->addWidget(m_shaded);
    options->addWidget(m_classes);
    options->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(options);
    layout->addWidget(m_map, 1);
    layout->addWidget(m_data);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(choose, &QPushButton::clicked, this, [this] { chooseGrid(); });
    connect(m_shaded, &QCheckBox::toggled, this, [this](bool on) { setShaded(on); });
    connect(m_classes, &QComboBox::currentIndexChanged, this,
            [this] { setClasses(m_classes->currentData().toString()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(20);
    connect(&m_redraw, &QTimer::timeout, this, [this] { redraw(); });

    // As large as a map is worth, within the screen.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(QSize(640, 720).boundedTo(screen->availableGeometry().size() * 9 / 10));
    send(QStringLiteral("&s .gridshade = ") +
         (m_shaded->isChecked() ? QString::number(kLight) : QStringLiteral("off")));
    send(QStringLiteral("&s .gridclasses = ") + m_classes->currentData().toString());
    loadGrid(kSample);
}

DataDialog::~DataDialog() = default;

core::Status DataDialog::showTable(const tessel::Host &shown)
{
    const core::Status taken = m_map->host().takeShown(shown);
    if (!taken) {
        return taken;
    }
    const tessel::Host &own = m_map->host();
    core::Result<tessel::CheckReport> report =
        tessel::checkTable(own.shadesetName(), own.shadeTable());
    if (!report) {
        return report.failure();
    }
    m_report = std::move(*report);
    spread();
    if (isVisible()) {
        redraw();
    }
    return {};
}

void DataDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    redraw(); // at the size the map is shown at
}

void DataDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_redraw.start();
}

void DataDialog::chooseGrid()
{
    OpenFileRequest request;
    request.title = QStringLiteral("Choose a Grid");
    request.filters = {{QStringLiteral("Grids"),
                        QStringLiteral("*.tif *.tiff *.nc *.cdf *.grd *.asc *.img *.dem *.hgt "
                                       "*.vrt *.png")},
                       {QStringLiteral("All Files"), QStringLiteral("*")}};
    request.folder = QSettings().value(kFolderSetting, QDir::homePath()).toString();
    const QString file = m_prompt.openFile(request);
    if (file.isEmpty()) {
        return;
    }
    QSettings().setValue(kFolderSetting, QFileInfo(file).absolutePath());
    loadGrid(file);
}

void DataDialog::loadGrid(const QString &file)
{
    // A grid Tessel refuses leaves the one shown before.
    if (!send(QStringLiteral("grid ") + file)) {
        return;
    }
    m_grid->setText(QStringLiteral("Grid: ") + QFileInfo(file).fileName() +
                    (file == kSample ? QStringLiteral(" (sample terrain)") : QString()));
    m_status->clear();
    spread();
    redraw();
}

void DataDialog::setShaded(bool on)
{
    QSettings().setValue(kShadedSetting, on);
    send(QStringLiteral("&s .gridshade = ") +
         (on ? QString::number(kLight) : QStringLiteral("off")));
    redraw();
}

void DataDialog::setClasses(const QString &classes)
{
    QSettings().setValue(kClassesSetting, classes);
    send(QStringLiteral("&s .gridclasses = ") + classes);
    spread();
    redraw();
}

void DataDialog::spread()
{
    tessel::Host &host = m_map->host();
    if (!m_report || !host.hasGrid()) {
        m_data->clear();
        return;
    }
    const core::Result<tessel::DataSpread> data = host.dataSpread(*m_report);
    m_data->setText(data ? tessel::dataText(*data).trimmed() : data.error());
}

void DataDialog::redraw()
{
    if (!m_report || !m_map->host().hasGrid()) {
        return;
    }
    const double wide = m_map->width();
    const double high = m_map->height();
    const double scale = kScaleHeight * kDots;
    send(QStringLiteral("clear"));
    if (send(QStringLiteral("shadegrid %1 %2 %3 %4")
                 .arg(inches(4), inches(scale), inches(wide - 4), inches(high - 4)))) {
        send(QStringLiteral("shadescale %1 %2 %3 %4")
                 .arg(inches(24), inches(18), inches(wide - 24), inches(scale - 24)));
    }
    m_map->update();
}

bool DataDialog::send(const QString &command)
{
    tessel::Messages messages;
    if (m_map->host().RunCommand(command, messages) == tessel::StatusOk) {
        return true;
    }
    m_status->setText(messages.last());
    return false;
}
