#include "playlist/Codepage.h"
#include "playlist/Funkcije.h"
#include "playlist/TextDecoding.h"

#include <gtest/gtest.h>

#include <string>

namespace listrion::playlist {
namespace {

TEST(Codepage, EveryByteSurvivesTheRoundTripInEveryCodepage)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    for (std::string_view name : Codepage::names()) {
        const Codepage* page = Codepage::find(name);
        ASSERT_NE(page, nullptr) << name;
        const std::string text = page->decode(all);
        EXPECT_EQ(page->encode(text), all) << name;
    }
}

TEST(Codepage, DecodesKnownCharactersAndMarksWhatItCannotHold)
{
    const Codepage& cp1250 = Codepage::windows1250();
    EXPECT_EQ(cp1250.decode("\x8A\x9A\x80"), "Šš€");
    // Bytes windows-1250 leaves undefined keep their value as a character.
    EXPECT_EQ(cp1250.decode("\x81\x98"), "\u0081\u0098");
    EXPECT_EQ(cp1250.encode("Škoda Ω 日本 ü"), "\x8Akoda ? ?? \xFC");
    EXPECT_EQ(Codepage::find("CP1251")->decode("\xC0\xFF"), "Ая");
    EXPECT_EQ(Codepage::find("windows-1252")->encode("Ž€"), "\x8E\x80");
    EXPECT_EQ(Codepage::find("ISO-8859-2")->decode("\xA9"), "Š");
    EXPECT_EQ(Codepage::find("koi8-r"), nullptr);
    // Ill-formed UTF-8 inside the program's text cannot be written: it becomes '?'.
    EXPECT_EQ(cp1250.encode("a\xC5z"), "a?z");
}

TEST(TextDecoding, DecodesUtf8BytesAndTheirPercentForms)
{
    const Codepage& cp1250 = Codepage::windows1250();
    // The two code-page characters whose bytes are C5 A0 stand for the letter Š.
    EXPECT_EQ(DecodeUtf8Text(cp1250.decode("\xC5\xA0"), cp1250), "Š");
    EXPECT_EQ(DecodeUtf8Text("%C5%A0port", cp1250), "Šport");
    EXPECT_EQ(DecodeUtf8Text("%c5%a1", cp1250), "š");
    EXPECT_EQ(DecodeUtf8Text("a%20b", cp1250), "a b");
    // A '%' without two hexadecimal digits after it stays a '%'.
    EXPECT_EQ(DecodeUtf8Text("100% Hits", cp1250), "100% Hits");
    EXPECT_EQ(DecodeUtf8Text("%4", cp1250), "%4");
    // Bytes that are not UTF-8 become replacement characters, one per ill-formed part.
    EXPECT_EQ(DecodeUtf8Text(cp1250.decode("a\xE8"
                                           "b"),
                             cp1250),
              "a\uFFFDb");
    EXPECT_EQ(Utf8BytesToText("\xD0\x9F\xD1\x80\xC0", 4), "Пр");
}

TEST(TextDecoding, Utf8TextIsCheckedInPiecesAndNeverDecodedTwice)
{
    // Every split of well-formed and ill-formed texts agrees with the check of the whole.
    for (std::string_view text :
         {"ab Ω 北京 𝄞", "a\xC5", "\xE2\x9C\xE2\x9C", "\xF0\x9D\x84", "\xED\xA0\x80", "\x80z",
          "\xC0\xAF", "ok \xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80"}) {
        for (std::size_t a = 0; a <= text.size(); ++a) {
            for (std::size_t b = a; b <= text.size(); ++b) {
                text::Utf8Validator validator;
                validator.feed(text.substr(0, a));
                validator.feed(text.substr(a, b - a));
                validator.feed(text.substr(b));
                EXPECT_EQ(validator.finish(), text::isWellFormedUtf8(text)) << text << a << b;
            }
        }
    }
    EXPECT_TRUE(text::isWellFormedUtf8("0123456789abcdef Ω"));
    EXPECT_FALSE(text::isWellFormedUtf8("0123456789abcdef\xCE"));

    const Codepage& utf8 = Codepage::utf8();
    EXPECT_EQ(Codepage::find("utf8"), &utf8);
    EXPECT_EQ(Codepage::findSingleByte("UTF-8"), nullptr);
    EXPECT_EQ(utf8.decode("Ω\xFF"), "Ω\uFFFD");
    EXPECT_EQ(utf8.encode("Ελλάδα 北京"), "Ελλάδα 北京");
    // Text read from a UTF-8 file: Š stays Š (read as bytes of windows-1250 it would be
    // decoded again), escapes are decoded, and an escape that spells no character stays.
    EXPECT_EQ(DecodeUtf8Text("Šport %C5%A0 %cf%80 %20", utf8), "Šport Š π  ");
    EXPECT_EQ(DecodeUtf8Text("%E2%82 100% %C5%A0%FF%41", utf8), "%E2%82 100% Š%FFA");
}

TEST(TextDecoding, FoldsTheTenLettersOnly)
{
    EXPECT_EQ(FoldDiacritics("Šport Đakovo čćšžđ ČĆŠŽĐ"), "Sport Dakovo ccszd CCSZD");
    EXPECT_EQ(FoldDiacritics("Ąą Łł Öö Ğ ğ Ř ď"), "Ąą Łł Öö Ğ ğ Ř ď");
    EXPECT_EQ(FoldDiacritics("Ђорђе Ελλάδα عربي 北京 č"), "Ђорђе Ελλάδα عربي 北京 c");
}

// The part of a name beside its colon, as the channel-name clean-up takes it.
TEST(Funkcije, PartBesideTheSeparator)
{
    using Funkcije::partBeside;
    EXPECT_EQ(partBeside("Sport:HD:1", ':', "levo"), "Sport");
    EXPECT_EQ(partBeside("Sport:HD:1", ':', "D"), "HD1");
    EXPECT_EQ(partBeside("Sport", ':', "L"), "");
}

} // namespace
} // namespace listrion::playlist
