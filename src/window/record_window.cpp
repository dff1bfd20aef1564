#include "window/record_window.h"

#include "window/colours.h"
#include "window/fonts.h"
#include "window/pictures.h"
#include "window/small_window.h"
#include "window/table_drawing.h"

#include "game/small_windows.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace zandrel {

namespace {

const QString kPictureRecordIcon = QStringLiteral(":/pictures/record_icon.png");
constexpr QRect kPicOk{74, 198, 66, 34};
constexpr double kHeadingPoints = 20.0;
constexpr double kLinePoints = 18.0;
constexpr int kIconPitch = 22;
constexpr int kIconLeft = 10;
constexpr int kIconDrop = 2;
constexpr int kMaxBallsInText = 9;

/// Text printed at a moving print position, in columns of the font's average
/// character width.
class Printer {
public:
    explicit Printer(QPainter& painter) : painter_(painter) {}

    void setFont(const QFont& font) { painter_.setFont(font); }
    int x() const { return x_; }
    int y() const { return y_; }

    /// Moves to column `column` (1 = the left edge); a column left of the
    /// print position is reached on the next line.
    void tab(int column) {
        const int columnX = (column - 1) * averageCharWidth();
        if (columnX < x_)
            newLine();
        x_ = columnX;
    }
    void print(const QString& text) {
        const QFontMetrics metrics = painter_.fontMetrics();
        painter_.drawText(x_, y_ + metrics.ascent(), text);
        x_ += metrics.horizontalAdvance(text);
    }
    void newLine() {
        x_ = 0;
        y_ += painter_.fontMetrics().height();
    }

private:
    /// The width of an average lower-case letter, as the desktop the game was
    /// laid out on measured it; the stand-in fonts report an average over all
    /// their glyphs, which is far wider.
    int averageCharWidth() const {
        static const QString kLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        return (painter_.fontMetrics().horizontalAdvance(kLetters) + int(kLetters.size()) / 2) /
               int(kLetters.size());
    }

    QPainter& painter_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace

RecordWindow::RecordWindow(const GameState& state, const Surface& balls, QWidget* owner)
    : QDialog(owner), state_(state), balls_(balls) {
    setUpSmallWindow(*this, QStringLiteral("Your Record"), kClientSize, true);
    setWindowIcon(QIcon(QPixmap::fromImage(loadPicture(kPictureRecordIcon, 32, 32, kBlack))));
    picOK_ = makePictureButton(QStringLiteral("picOK"), kPictureOk, kPicOk, this);
    connect(picOK_, &PictureBox::clicked, this, [this] { accept(); });
    move(centredOnScreen(screenSizeTwips(), kClientSize));
}

void RecordWindow::drawCondition(Surface& canvas) const {
    // QPainter wants RGB32 pixels with 0xff in their top byte; the surface
    // holds plain 0x00RRGGBB again once the text is printed.
    constexpr Rgb kOpaque = 0xff000000u;
    canvas.fill(kBlack | kOpaque);
    int iconsX = 0;
    int iconsY = 0;
    {
        QImage image = PictureBox::wrap(canvas);
        QPainter painter(&image);
        painter.setPen(toQColor(kGreen));
        Printer printer(painter);
        printer.setFont(gameFont(kFontArial, kHeadingPoints, false));
        printer.print(QString::fromStdString(recordHeading(state_)));
        printer.newLine();
        printer.setFont(gameFont(kFontArial, kLinePoints, false));
        for (const auto& [label, value] : recordLines(state_)) {
            printer.tab(3);
            printer.print(QString::fromLatin1(label));
            printer.tab(10);
            printer.print(QStringLiteral(":"));
            printer.tab(12);
            printer.print(QString::fromStdString(value));
            printer.newLine();
        }
        printer.tab(2);
        printer.print(QStringLiteral("Balls in the Pocket"));
        printer.newLine();
        iconsX = printer.x() + kIconLeft;
        iconsY = printer.y() + kIconDrop;
    }
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.setPixel(x, y, canvas.pixel(x, y) & ~kOpaque);
    const std::string ballsText = recordBallsString(state_.table);
    for (int i = 0; i < kMaxBallsInText && i < int(ballsText.size()); ++i) {
        const char c = ballsText[std::size_t(i)];
        const int d = c >= '0' && c <= '9' ? c - '0' : 0;
        if (d == 0)
            continue;
        drawSprite(canvas, iconsX, iconsY, balls_, d * kSpriteSize, 0);
        iconsX += kIconPitch;
    }
}

void RecordWindow::paintEvent(QPaintEvent*) {
    Surface canvas(width(), height());
    drawCondition(canvas);
    QPainter painter(this);
    painter.drawImage(0, 0, PictureBox::wrap(canvas));
}

} // namespace zandrel
