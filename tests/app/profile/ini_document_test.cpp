// The INI document in memory: what it reads from the bytes Windows programs
// and editors write, and which changes it takes.
#include <gtest/gtest.h>

#include <string>

#include "profile/ini_document.h"
#include "profile/text_encoding.h"

using namespace quillon::profile;

namespace {

// UTF-16 bytes of code units, built here independently of the program.
std::string utf16_bytes(std::u16string_view units, bool littleEndian)
{
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : units) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += littleEndian ? low : high;
        out += littleEndian ? high : low;
    }
    return out;
}

} // namespace

TEST(IniDocumentRead, AKeyIsReadOnlyFromItsOwnSection)
{
    const IniDocument doc = IniDocument::from_bytes("K=0\n[A]\nX=1\n[B]\nK=5\n[A ]\n");
    EXPECT_EQ(doc.read_int("A", "K", -1), -1) << "not from the later section B";
    EXPECT_EQ(doc.read_string("A", "K", "none"), "none");
    EXPECT_EQ(doc.read_int("B", "K", -1), 5);
    EXPECT_EQ(doc.read_int("b", "k", -1), 5);
    EXPECT_TRUE(doc.has_section("a"));
    EXPECT_FALSE(doc.has_section("K"));
    EXPECT_FALSE(doc.has_section("C"));
}

TEST(IniDocumentRead, AUtf8MarkDoesNotHideTheFirstSection)
{
    const IniDocument doc = IniDocument::from_bytes("\xEF\xBB\xBF[SET_DIV]\r\nLANGUAGE=2\r\n");
    EXPECT_TRUE(doc.has_section("SET_DIV"));
    EXPECT_EQ(doc.read_int("SET_DIV", "LANGUAGE", 0), 2);
    EXPECT_EQ(doc.encoding(), FileEncoding::Utf8WithMark);
    EXPECT_EQ(doc.to_bytes(), "\xEF\xBB\xBF[SET_DIV]\nLANGUAGE=2\n") << "the mark is kept";
}

TEST(IniDocumentRead, Windows1252BytesBecomeTheirCharacters)
{
    const IniDocument doc = IniDocument::from_bytes("[S]\nA=\x80\nB=\x9F\nC=\xA0\nD=\xFF\nE=x\x81\x8D\x8F\x90\x9D\n"
                                                    "F=\x80\x9F\xA0\xFF\n");
    EXPECT_EQ(doc.read_string("S", "A", ""), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(doc.read_string("S", "B", ""), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(doc.read_string("S", "C", ""), "\xC2\xA0");      // no-break space
    EXPECT_EQ(doc.read_string("S", "D", ""), "\xC3\xBF");      // y with diaeresis
    EXPECT_EQ(doc.read_string("S", "E", ""), "x\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
        << "the five unassigned bytes";
    EXPECT_EQ(doc.read_string("S", "F", ""), "\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF");
}

TEST(IniDocumentRead, TextThatOnlyLooksLikeUtf8IsWindows1252)
{
    // Overlong forms, surrogates and too-large code points are no UTF-8:
    // they must not reach the program as such.
    for (const char* bytes : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3"}) {
        const std::string value = IniDocument::from_bytes(std::string("[S]\nK=") + bytes + "\n").read_string("S", "K", "");
        EXPECT_EQ(value, windows1252_to_utf8(bytes));
        EXPECT_TRUE(is_valid_utf8(value));
    }
    EXPECT_TRUE(is_valid_utf8("\xF0\x9F\x98\x80 \xEF\xBF\xBF \xC2\x80"));
}

TEST(IniDocumentRead, Utf16WithAMarkReadsInEitherByteOrder)
{
    const std::u16string text = u"[MSN_DIV]\r\nALIAS0=K\u00FCche \U0001F600\r\nALIAS1=\"data\"\r\n";
    for (bool little : {true, false}) {
        const IniDocument doc = IniDocument::from_bytes(utf16_bytes(text, little));
        EXPECT_EQ(doc.encoding(), little ? FileEncoding::Utf16LittleEndian : FileEncoding::Utf16BigEndian);
        EXPECT_TRUE(doc.has_section("MSN_DIV"));
        EXPECT_EQ(doc.read_string("MSN_DIV", "ALIAS0", ""), "K\xC3\xBC" "che \xF0\x9F\x98\x80");
        EXPECT_EQ(doc.read_string("MSN_DIV", "ALIAS1", ""), "data");
    }
}

TEST(IniDocumentRead, BrokenUtf16IsReadWithoutLosingTheRest)
{
    // A lone high surrogate, a lone low one, and an odd last byte.
    std::string bytes = utf16_bytes(u"[S]\nA=x\xD800y\nB=\xDC00\nC=ok", true) + "\x41";
    const IniDocument doc = IniDocument::from_bytes(bytes);
    EXPECT_EQ(doc.read_string("S", "A", ""), "x\xEF\xBF\xBDy");
    EXPECT_EQ(doc.read_string("S", "B", ""), "\xEF\xBF\xBD");
    EXPECT_EQ(doc.read_string("S", "C", ""), "ok\xEF\xBF\xBD");
}

TEST(IniDocumentWrite, AUtf16ProfileStaysUtf16)
{
    for (bool little : {true, false}) {
        IniDocument doc = IniDocument::from_bytes(utf16_bytes(u"; \u00E9t\u00E9\r\n[S]\r\nA=1\r\n", little));
        ASSERT_TRUE(doc.write_string("S", "B", "\xE2\x82\xAC \xF0\x9F\x98\x80"));
        EXPECT_EQ(doc.to_bytes(), utf16_bytes(u"; \u00E9t\u00E9\n[S]\nA=1\nB=\u20AC \U0001F600\n", little));
    }
}

TEST(IniDocumentWrite, ChangesKeepEverythingElseInPlace)
{
    IniDocument doc = IniDocument::from_bytes("; top\n[MSN_DIV]\nALIAS0=Fax\n  # note\nPORTIDX0 = 3\n\n[SET_DIV]\n"
                                              "LANGUAGE=0\n\n[MSN_DIV]\nALIAS4=x\n\n");
    EXPECT_FALSE(doc.dirty());
    ASSERT_TRUE(doc.write_int("set_div", "LANGUAGE", 1));
    ASSERT_TRUE(doc.write_string("MSN_DIV", "ALIAS0", "Office"));
    ASSERT_TRUE(doc.write_string("MSN_DIV", "ALIAS1", "New"));
    ASSERT_TRUE(doc.write_string("NEW_DIV", "KEY", "v"));
    EXPECT_TRUE(doc.dirty());
    EXPECT_EQ(doc.to_bytes(), "; top\n[MSN_DIV]\nALIAS0=Office\n  # note\nPORTIDX0 = 3\n\n[SET_DIV]\nLANGUAGE=1\n\n"
                              "[MSN_DIV]\nALIAS4=x\nALIAS1=New\n\n[NEW_DIV]\nKEY=v\n");
    EXPECT_EQ(doc.read_int("SET_DIV", "LANGUAGE", -1), 1);
    EXPECT_EQ(doc.read_string("MSN_DIV", "ALIAS1", ""), "New");
}

TEST(IniDocumentWrite, WritingWhatIsThereChangesNothing)
{
    IniDocument doc = IniDocument::from_bytes("[S]\nA=1\nB=text\n");
    ASSERT_TRUE(doc.write_int("S", "A", 1));
    ASSERT_TRUE(doc.write_string("s", "B", "text"));
    EXPECT_FALSE(doc.dirty());
    ASSERT_TRUE(doc.write_string("S", "B", "Text"));
    EXPECT_TRUE(doc.dirty());
}

TEST(IniDocumentWrite, WhatAProfileCannotHoldIsRefused)
{
    const std::string before = "[S]\nK=old\n";
    IniDocument doc = IniDocument::from_bytes(before);
    const std::string nul("a\0b", 3);
    EXPECT_FALSE(doc.write_string("S", "K", "two\nlines"));
    EXPECT_FALSE(doc.write_string("S", "K", "cr\r"));
    EXPECT_FALSE(doc.write_string("S", "K", nul));
    EXPECT_FALSE(doc.write_string("S", "K=", "v"));
    EXPECT_FALSE(doc.write_string("S", "", "v"));
    EXPECT_FALSE(doc.write_string("S", " K", "v"));
    EXPECT_FALSE(doc.write_string("S", "[K", "v"));
    EXPECT_FALSE(doc.write_string("S", ";K", "v"));
    EXPECT_FALSE(doc.write_string("S", "#K", "v"));
    EXPECT_FALSE(doc.write_string("S]", "K", "v"));
    EXPECT_FALSE(doc.write_string("", "K", "v"));
    EXPECT_FALSE(doc.write_string("S\n", "K", "v"));
    EXPECT_FALSE(doc.write_string("S", "K", "K\xFC" "che")) << "text must be UTF-8";
    EXPECT_FALSE(doc.dirty());
    EXPECT_EQ(doc.to_bytes(), before);
}

TEST(IniDocumentWrite, ADocumentWithoutAFileCannotBeCommitted)
{
    IniDocument doc = IniDocument::from_bytes("");
    ASSERT_TRUE(doc.write_int("S", "K", 1));
    EXPECT_FALSE(doc.commit().ok);
    EXPECT_TRUE(doc.dirty());
}
