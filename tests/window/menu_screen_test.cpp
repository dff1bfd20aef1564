#include "window_fixture.h"

#include "window/colours.h"

#include <QFontInfo>
#include <QImage>

#include <map>
#include <string>

namespace zandrel::testing {
namespace {

/// The box of the pixels a label's caption paints, in its parent's coordinates.
QRect inkBox(TextLabel* label) {
    QImage image(label->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    label->render(&image, QPoint(), QRegion(), QWidget::IgnoreMask);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                box |= QRect(x, y, 1, 1);
    return box.translated(label->pos());
}

/// Points of a caption, where no other is drawn, whose widget is not its label: "caption under other: n".
std::map<std::string, int> hiddenCaptionPoints(const WindowHarness& h) {
    QWidget* panel = h.find("picMenu");
    std::vector<TextLabel*> labels;
    std::vector<QRect> ink;
    for (const char* name : {"Label2", "lblRelease", "lblVersion", "lblExit", "lblLetsPlay", "lblMail",
                             "lblToHP", "lblHelp", "lblCopyright0", "lblCopyright1"})
        ink.push_back(inkBox(labels.emplace_back(h.find<TextLabel>(name))));
    std::map<std::string, int> failures;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_FALSE(ink[i].isEmpty()) << labels[i]->text().toStdString() << " draws nothing";
        for (int y = ink[i].top(); y <= ink[i].bottom(); ++y)
            for (int x = ink[i].left(); x <= ink[i].right(); ++x) {
                QWidget* hit = panel->childAt(QPoint(x, y));
                const auto j = std::find(labels.begin(), labels.end(), hit) - labels.begin();
                if (hit != labels[i] && (j == std::ssize(labels) || !ink[std::size_t(j)].contains(x, y)))
                    ++failures[labels[i]->text().toStdString() + " under " +
                               (j == std::ssize(labels) ? "the panel"
                                                        : labels[std::size_t(j)]->text().toStdString())];
            }
    }
    return failures;
}

TEST(MenuScreen, CaptionsLightUpUnderThePointerUntilItReachesThePanel) {
    WindowHarness h;
    auto* mail = h.find<TextLabel>("lblMail");
    auto* homePage = h.find<TextLabel>("lblToHP");
    // Colours under the pointer and once it moved on to the panel (dark green, not purple, for EXIT).
    const std::tuple<TextLabel*, Rgb, Rgb> labels[] = {
        {h.find<TextLabel>("lblExit"), kGreen, kDarkGreen},
        {h.find<TextLabel>("lblLetsPlay"), kGreen, kDarkGreen},
        {h.find<TextLabel>("lblHelp"), kDemoLabelHover, kMenuLinkRest},
        {mail, kMenuLinkHover, kMenuLinkRest},
        {homePage, kMenuLinkHover, kMenuLinkRest}};
    for (const auto& [label, hover, rest] : labels) {
        move(label);
        EXPECT_EQ(label->textColour(), hover) << label->text().toStdString();
    }
    // The links grow longer captions while the pointer is on them.
    EXPECT_EQ(mail->text() + " " + homePage->text(),
              QStringLiteral("E-Mail:tovi@zandrel.example Get New!: https://zandrel.example/"));
    EXPECT_GT(homePage->width(), 250);

    h.w().initGameMode(); // solo play with the menu screen still up
    ASSERT_EQ(h.state().playMode, PlayMode::solo);
    move(h.find("picMenu"), {300, 100});
    for (const auto& [label, hover, rest] : labels)
        EXPECT_EQ(label->textColour(), rest) << label->text().toStdString();
    EXPECT_EQ(mail->text() + " " + homePage->text(), QStringLiteral("E-Mail Get New!"));
    EXPECT_EQ(h.state().playMode, PlayMode::menu);
}

TEST(MenuScreen, EveryCaptionTakesThePointerWhereverItIsDrawnAndNowhereElse) {
    WindowHarness h;
    QWidget* panel = h.find("picMenu");
    using Failures = std::map<std::string, int>;
    EXPECT_EQ(hiddenCaptionPoints(h), Failures{}) << "captions at rest";
    move(h.find("lblMail"));
    move(h.find("lblToHP"));
    EXPECT_EQ(hiddenCaptionPoints(h), Failures{}) << "link captions while hovered";
    move(panel, {300, 100});
    EXPECT_EQ(hiddenCaptionPoints(h), Failures{}) << "link captions after the hover";

    QWidget* exitLabel = h.find("lblExit");
    EXPECT_EQ(exitLabel->pos(), QPoint(440, 328));
    expectPlaces(
        {{h.find("lblCopyright0"), {0, 336, 537, 17}}, {h.find("lblCopyright1"), {0, 352, 537, 17}}});

    // Only the drawn caption of "EXIT" takes the pointer; a click on the lower half of it closes the window.
    EXPECT_NE(panel->childAt(exitLabel->pos()), exitLabel) << "the bare corner of its box";
    EXPECT_EQ(panel->childAt(QPoint(5, 340)), nullptr) << "the bare ends of the credit lines";
    const QRect exit = exitLabel->geometry();
    QTest::mouseClick(h.w().windowHandle(), Qt::LeftButton, {}, exit.center() + QPoint(0, exit.height() / 4));
    EXPECT_FALSE(h.w().isVisible());
}

TEST(MenuScreen, JapaneseCaptionsUseAProportionalFaceTovisMessageAFixedOne) {
    WindowHarness h;
    // Font names come back in the system language: compare what the installed faces resolve to.
    const QString proportional = QFontInfo(QFont(kFontIpaPGothic)).family();
    ASSERT_NE(proportional, QFontInfo(QFont(kFontIpaGothic)).family()) << "fonts-ipafont-gothic is needed";
    for (const char* name :
         {"Label2", "lblRelease", "lblVersion", "lblHelp", "cmbPoints", "cmbVSMode", "cmbGameName"}) {
        const QFontInfo info(h.find(name)->font());
        EXPECT_EQ(std::pair(info.family(), info.fixedPitch()), std::pair(proportional, false)) << name;
    }
    EXPECT_EQ(QFontInfo(h.find("lblTovisMessage")->font()).family(),
              QFontInfo(QFont(kFontIpaGothic)).family());
}

} // namespace
} // namespace zandrel::testing
