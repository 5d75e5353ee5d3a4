// The pictures of the picture buttons: size and corners, a green arrow that points its way and
// hooks, the look of each state.
#include "ui/controls/button_pictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace netquill {
namespace {

constexpr Rgb kBackground{212, 208, 200};

using Mask = std::vector<std::vector<bool>>;

// The pixels where the arrow is: those that differ from the bare face of the same state.
Mask ArrowMask(ButtonPicture picture, ButtonFaceState state, int width, int height) {
    const PictureImage image = DrawButtonPicture(picture, state, width, height, kBackground);
    const PictureImage face =
        DrawButtonPicture(ButtonPicture::kNone, state, width, height, kBackground);
    Mask mask(static_cast<std::size_t>(height), std::vector<bool>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mask[y][x] = image.At(x, y) != face.At(x, y);
        }
    }
    return mask;
}

// Columns of the first and last arrow pixel of each row that has any, from the top.
struct RowSpan {
    int row;
    int left;
    int right;
};
std::vector<RowSpan> Spans(const Mask& mask) {
    std::vector<RowSpan> spans;
    for (int y = 0; y < static_cast<int>(mask.size()); ++y) {
        int left = -1;
        int right = -1;
        for (int x = 0; x < static_cast<int>(mask[y].size()); ++x) {
            if (mask[y][x]) {
                left = left < 0 ? x : left;
                right = x;
            }
        }
        if (left >= 0) {
            spans.push_back({y, left, right});
        }
    }
    return spans;
}

bool IsGreen(Rgb pixel) {
    return pixel.green > pixel.red + 60 && pixel.green > pixel.blue + 60;
}

int CountGreen(const PictureImage& image) {
    int count = 0;
    for (const Rgb& pixel : image.pixels) {
        count += IsGreen(pixel) ? 1 : 0;
    }
    return count;
}

int Brightness(Rgb pixel) {
    return pixel.red + pixel.green + pixel.blue;
}

const ButtonFaceState kStates[] = {ButtonFaceState::kNormal, ButtonFaceState::kHot,
                                   ButtonFaceState::kPressed, ButtonFaceState::kDisabled};

TEST(ButtonPictures, FillTheAskedSizeWithTheBackgroundInTheCorners) {
    struct Case {
        int width;
        int height;
    };
    const Case cases[] = {{27, 26}, {41, 39}, {54, 52}, {1, 1}};
    for (const Case& c : cases) {
        for (const ButtonFaceState state : kStates) {
            SCOPED_TRACE(testing::Message()
                         << c.width << "x" << c.height << " state " << static_cast<int>(state));
            const PictureImage image = DrawButtonPicture(ButtonPicture::kGreenArrowUp, state,
                                                         c.width, c.height, kBackground);
            ASSERT_EQ(image.width, c.width);
            ASSERT_EQ(image.height, c.height);
            ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(c.width * c.height));
            if (c.width > 1) {
                EXPECT_EQ(image.At(0, 0), kBackground);  // rounded corners
                EXPECT_EQ(image.At(c.width - 1, c.height - 1), kBackground);
            }
        }
    }
    for (const auto& [width, height] : {std::pair{0, 26}, std::pair{27, 0}, std::pair{-3, -3}}) {
        const PictureImage image = DrawButtonPicture(
            ButtonPicture::kGreenArrowDown, ButtonFaceState::kNormal, width, height, kBackground);
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.pixels.empty());
    }
}

TEST(ButtonPictures, TheUpArrowHasItsHeadAtTheTopAndHooksToTheRightBelow) {
    for (const auto& [width, height] : {std::pair{27, 26}, std::pair{41, 39}}) {
        SCOPED_TRACE(width);
        const std::vector<RowSpan> spans =
            Spans(ArrowMask(ButtonPicture::kGreenArrowUp, ButtonFaceState::kNormal, width, height));
        ASSERT_FALSE(spans.empty());
        const RowSpan top = spans.front();
        const RowSpan bottom = spans.back();
        // The apex is a narrow tip well above the bottom; the head widens below it.
        EXPECT_LE(top.right - top.left, width / 8);
        const RowSpan headBase = spans[spans.size() / 3];
        EXPECT_GE(headBase.right - headBase.left, width / 3);
        // The tail at the bottom runs to the right, past the apex.
        EXPECT_GT(bottom.right, top.right + width / 5);
        EXPECT_GE(bottom.right - bottom.left, width / 4);
        EXPECT_GT(bottom.row - top.row, height / 2);
    }
}

TEST(ButtonPictures, TheDownArrowIsTheUpArrowUpsideDown) {
    for (const ButtonFaceState state : kStates) {
        SCOPED_TRACE(static_cast<int>(state));
        const Mask up = ArrowMask(ButtonPicture::kGreenArrowUp, state, 27, 26);
        const Mask down = ArrowMask(ButtonPicture::kGreenArrowDown, state, 27, 26);
        if (state == ButtonFaceState::kPressed) {
            // Both move down by one pixel when pressed, so the mirror is one row off.
            for (int y = 1; y < 25; ++y) {
                EXPECT_EQ(down[y + 1], up[26 - y]) << y;
            }
        } else {
            for (int y = 0; y < 26; ++y) {
                EXPECT_EQ(down[y], up[25 - y]) << y;
            }
        }
    }
}

TEST(ButtonPictures, TheArrowIsGreenExceptWhenDisabled) {
    for (const ButtonPicture picture :
         {ButtonPicture::kGreenArrowUp, ButtonPicture::kGreenArrowDown}) {
        for (const ButtonFaceState state : kStates) {
            SCOPED_TRACE(static_cast<int>(state));
            const PictureImage image = DrawButtonPicture(picture, state, 27, 26, kBackground);
            if (state == ButtonFaceState::kDisabled) {
                EXPECT_EQ(CountGreen(image), 0);
                EXPECT_GT(Spans(ArrowMask(picture, state, 27, 26)).size(), 10u)
                    << "the arrow still shows, in grey";
            } else {
                EXPECT_GT(CountGreen(image), 60);
            }
        }
    }
    EXPECT_EQ(CountGreen(DrawButtonPicture(ButtonPicture::kNone, ButtonFaceState::kNormal, 27, 26,
                                           kBackground)),
              0);
}

TEST(ButtonPictures, HotIsLighterPressedIsDarkerAndMovesTheArrowDownRight) {
    const auto face = [](ButtonFaceState state) {
        return DrawButtonPicture(ButtonPicture::kGreenArrowUp, state, 27, 26, kBackground)
            .At(3, 13);
    };
    EXPECT_GT(Brightness(face(ButtonFaceState::kHot)), Brightness(face(ButtonFaceState::kNormal)));
    EXPECT_LT(Brightness(face(ButtonFaceState::kPressed)),
              Brightness(face(ButtonFaceState::kNormal)));

    const Mask normal = ArrowMask(ButtonPicture::kGreenArrowUp, ButtonFaceState::kNormal, 27, 26);
    const Mask pressed = ArrowMask(ButtonPicture::kGreenArrowUp, ButtonFaceState::kPressed, 27, 26);
    for (int y = 0; y + 1 < 26; ++y) {
        for (int x = 0; x + 1 < 27; ++x) {
            EXPECT_EQ(pressed[y + 1][x + 1], normal[y][x]) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace netquill
