#include "aboutbox.h"

#include "about/abouttext.h"
#include "about/clickablelabel.h"
#include "about/drawnpicture.h"
#include "common/artwork.h"
#include "common/geometry.h"
#include "common/maker.h"
#include "platform/urlopener.h"

#include <QPushButton>
#include <QUrl>

#include <utility>

namespace {

// A picture that only shows.
class PictureLabel final : public QLabel
{
public:
    PictureLabel(DrawnPicture::Draw draw, QWidget *parent)
        : QLabel(parent)
        , m_picture(std::move(draw))
    {}

protected:
    void paintEvent(QPaintEvent *) override { m_picture.paint(this); }

private:
    DrawnPicture m_picture;
};

} // namespace

AboutBox::AboutBox(UrlOpener &urls, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_urls(urls)
{
    startWindow(this, QStringLiteral("frmInfo"), tr("Info", "window title"));
    setAutoFillBackground(true);
    // White on every theme, so its text is the black that reads on white, not the theme's.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setFixedSize(twips(6630), twips(6000));

    auto *image1 =
        new PictureLabel([](QSize pixels) { return Artwork::programImage(pixels); }, this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twipsRect(240, 120, 1200, 1080));
    image1->setAccessibleName(tr("Tarnwick icon"));

    auto *label1 = new QLabel(QStringLiteral("Tarnwick v1.0"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twipsRect(2640, 360, 3015, 495));
    const QFont title = dialogFont(24, true);
    label1->setFont(title);

    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(twips(1800), twips(960), twips(6360) - twips(1800), 1);
    line1->setFrameShape(QFrame::NoFrame);
    line1->setAutoFillBackground(true);
    QPalette black = line1->palette();
    black.setColor(QPalette::Window, Qt::black);
    line1->setPalette(black);

    auto *label2 = new QLabel(aboutText(), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twipsRect(1920, 1320, 4455, 2775));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2->setTextFormat(Qt::PlainText);

    const QFont tahoma = [] {
        QFont f = dialogFont(8.25);
        // Asked for only where it is installed, and alone: a family that is missing costs a
        // search for stand-ins that would not be used, a good part of the box's start.
        const QString family = QStringLiteral("Tahoma");
        if (fontInstalled(family))
            f.setFamilies({family});
        return f;
    }();
    QFont tahomaBold = tahoma;
    tahomaBold.setBold(true);

    auto *label5 = new ClickableLabel(Maker::WebAddress, this);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(twipsRect(2760, 3960, 2895, 375));
    label5->setFont(tahomaBold);
    label5->setCursor(Qt::PointingHandCursor);
    connect(label5, &ClickableLabel::clicked, this,
            [this] { m_urls.open(QUrl(Maker::WebAddress)); });

    auto *label3 = new QLabel(
        tr("If you like the program please let me know. I am always happy when you donate"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(twipsRect(240, 4320, 2895, 615));
    label3->setFont(tahoma);
    label3->setWordWrap(true);
    label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *image3 = new ClickableLabel(
        [title](QSize pixels) { return Artwork::donationButton(pixels, title); }, this);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setGeometry(twipsRect(600, 5040, 1905, 450));
    image3->setCursor(Qt::PointingHandCursor);
    image3->setAccessibleName(tr("Donate"));
    connect(image3, &ClickableLabel::clicked, this,
            [this] { m_urls.open(QUrl(Maker::DonationPage)); });

    auto *label4 = new QLabel(Maker::DonationEmail, this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setGeometry(twipsRect(120, 5520, 2895, 375));
    label4->setFont(tahomaBold);
    label4->setTextFormat(Qt::PlainText);

    auto *command1 = new QPushButton(tr("Ok"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twipsRect(5160, 5520, 1335, 375));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);
    // "Ok" keeps the focus at the start, so Enter closes the box; Tab reaches the two links.
    ::setTabOrder({command1, label5, image3});
    command1->setFocus();

    for (QLabel *label : {label1, label2, static_cast<QLabel *>(label5), label4})
        shrinkFontToFit(label);

    centerOnScreen(this);
}
