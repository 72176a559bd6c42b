#include <gtest/gtest.h>

#include "swf/MovieReader.h"
#include "swf/MovieUpdate.h"
#include "tests/swf/TestMovie.h"

using namespace testmovie;

namespace {

ParsedMovie Read(const std::string& bytes) {
    return ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Four square layers; `pen` adds a fifth that draws from wherever the fourth left the pen.
struct Drawing {
    int X[4] = {100, 400, 700, 1000};
    int Red = 200, Side = 300, Frame = 6400;
    int Open = 5;  // where the record opening the third layer moves the pen
    bool Pen = false;

    std::string Movie() const {
        Records r;
        for (int i = 0; i < 4; ++i) {
            const std::vector<Fill> fills{Fill{0, {i == 2 ? Red : 0, 0, 255}}};
            if (i == 2) {  // new styles and a move-to in one record
                r.Bits.append(0b010001, 6);
                r.Bits.append(17, 5);
                for (int k = 0; k < 2; ++k) r.Bits.append(static_cast<std::uint32_t>(Open), 17);
                r.Bits.padToByte();
                StyleArrays(r.Bits, fills, {Line{20, {0, 0, 0}}});
                r.Bits.append(0x11, 8);
            } else {
                r.NewStyles(fills, {Line{20, {0, 0, 0}}});
            }
            r.Change(X[i], X[i], 1, -1, 1);
            for (auto [dx, dy] : {std::pair{Side, 0}, {0, Side}, {-Side, 0}, {0, -Side}}) r.Straight(dx, dy);
        }
        if (Pen) {
            r.NewStyles({}, {Line{40, {0, 255, 0}}});
            r.Straight(500, 500);
        }
        std::string m = Header(Frame, 6400);
        Tag(m, 32, Shape3(1, Frame, 6400, r));
        Tag(m, 26, Place(1, 259));
        ShortTag(m, 1);
        return Finish(m);
    }
};

void ExpectSameShapes(const ParsedMovie& a, const ParsedMovie& b) {
    ASSERT_EQ(a.Shapes.size(), b.Shapes.size());
    for (const auto& [id, shape] : a.Shapes) {
        const ShapeDefinition& other = *b.Shapes.at(id);
        EXPECT_TRUE(shape->Records == other.Records);
        EXPECT_TRUE(shape->StyleSets == other.StyleSets);
        EXPECT_TRUE(shape->Layers == other.Layers);
    }
}

}  // namespace

TEST(MovieUpdate, ReadsOnlyChangedLayersAndMatchesAWholeRead) {
    struct Case {
        const char* Name;
        void (*Edit)(Drawing&);
        bool Updated;
    };
    const Case cases[] = {
        {"nothing", [](Drawing&) {}, true},
        {"one layer moved", [](Drawing& d) { d.X[1] = 450; }, true},
        {"a fill colour", [](Drawing& d) { d.Red = 10; }, true},
        {"first and last layers moved", [](Drawing& d) { d.X[0] = 0, d.X[3] = 1200; }, true},
        {"edges of every layer", [](Drawing& d) { d.Side = 310; }, true},
        {"a layer's opening record and its colour", [](Drawing& d) { d.Open = 9, d.Red = 10; }, true},
        {"the frame in the header", [](Drawing& d) { d.Frame = 6000; }, false},
    };
    for (const Case& c : cases) {
        for (const bool pen : {false, true}) {
            Drawing before;
            before.Pen = pen;
            Drawing after = before;
            c.Edit(after);
            const std::string a = before.Movie(), b = after.Movie();
            ParsedMovie movie = Read(a);
            const bool updated = UpdateMovie(movie, a, b);
            EXPECT_EQ(updated, c.Updated) << c.Name << (pen ? " (pen)" : "");
            if (updated) ExpectSameShapes(movie, Read(b));
        }
    }
    // A different size is never updated in place.
    Drawing d;
    ParsedMovie movie = Read(d.Movie());
    d.Pen = true;
    EXPECT_FALSE(UpdateMovie(movie, Drawing().Movie(), d.Movie()));
}
