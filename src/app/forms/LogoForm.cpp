#include "app/forms/LogoForm.h"

#include "platform/JpegImage.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

TLogoForm* LogoForm = nullptr;

// The pictures are compiled into the static GUI library, whose resource
// registration the linker drops unless something refers to it.
static void RegisterResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace {

constexpr int kLogoWidth = 336;
constexpr int kLogoHeight = 305;

// The picture is decoded by our own JPEG layer; the form only shows pixels.
bool LoadSplashPicture(QLabel& label)
{
    RegisterResources();
    QFile file(QStringLiteral(":/splash.jpg"));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    JpegImage image;
    const JpegDecodeResult result =
        DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()), image);
    if (!result.Ok) return false;
    const QImage view(image.Rgb.data(), image.Width, image.Height, image.Width * 3,
                      QImage::Format_RGB888);
    label.setPixmap(QPixmap::fromImage(view.copy()));
    return true;
}

} // namespace

TLogoForm::TLogoForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("LogoForm"));
    setFixedSize(kLogoWidth, kLogoHeight);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kLogoWidth, kLogoHeight);
    Image1->setAlignment(Qt::AlignCenter);
    Loaded = LoadSplashPicture(*Image1);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kLogoWidth / 2, kLogoHeight / 2));
    }
    LogoForm = this;
}

TLogoForm::~TLogoForm()
{
    if (LogoForm == this) LogoForm = nullptr;
}

void TLogoForm::closeEvent(QCloseEvent* event)
{
    // FormClose: the window frees itself when it closes.
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}
