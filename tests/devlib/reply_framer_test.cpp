// Where a reply ends, byte by byte, whatever the pieces it arrives in.
#include <gtest/gtest.h>

#include <string>

#include "reply_framer.h"

using q30::ReplyEnd;
using q30::ReplyFramer;

namespace {

// Feeds `text` in pieces of `piece` bytes; returns how many bytes the reply took
// (text.size() + 1 when it never completed).
std::size_t end_of_reply(ReplyEnd rule, const std::string& text, std::size_t piece)
{
    ReplyFramer framer(rule);
    std::size_t taken = 0;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const std::string_view part = std::string_view(text).substr(at, piece);
        const std::size_t used = framer.feed(part);
        taken += used;
        if (framer.complete())
            return taken;
        EXPECT_EQ(used, part.size()) << "an incomplete reply takes every byte";
    }
    return text.size() + 1;
}

} // namespace

TEST(ReplyFramer, EveryFinalCodeEndsAReply)
{
    for (const char* code : {"OK", "ERROR", "NO CARRIER", "BUSY", "NO ANSWER", "NO DIALTONE"}) {
        const std::string reply = "\r\n0,12\r\n\r\n" + std::string(code) + "\r\n";
        EXPECT_EQ(end_of_reply(ReplyEnd::FinalCode, reply, reply.size()), reply.size()) << code;
    }
    EXPECT_EQ(end_of_reply(ReplyEnd::FinalCode, "\r\nOK\r\n", 6), 6u) << "a bare OK";
}

TEST(ReplyFramer, WordsThatOnlyLookLikeFinalCodesDoNotEndIt)
{
    for (const char* text : {"\r\nBOOK\r\n", "\r\nOKAY\r\n", "\r\nOK\r", "OK\r\n", "\r\nok\r\n", "\r\nTERROR\r\n",
                             "\r\nOK \r\n"})
        EXPECT_EQ(end_of_reply(ReplyEnd::FinalCode, text, 100), std::string(text).size() + 1) << text;
}

TEST(ReplyFramer, TheReplyEndsAtTheFirstFinalCodeAndTheRestIsLeft)
{
    const std::string first = "\r\nOK\r\n";
    const std::string both = first + "\r\nNO CARRIER\r\n";
    ReplyFramer framer(ReplyEnd::FinalCode);
    EXPECT_EQ(framer.feed(both), first.size());
    EXPECT_TRUE(framer.complete());
    EXPECT_EQ(framer.feed("more"), 0u) << "a complete reply takes nothing more";
}

TEST(ReplyFramer, AnySplitGivesTheSameEnd)
{
    const std::string reply = "\r\nOut 0891234 12:00 Charge Amount\r\n1 2 3\r\n\r\nOK\r\n\r\nRING\r\n";
    const std::size_t whole = end_of_reply(ReplyEnd::FinalCode, reply, reply.size());
    ASSERT_EQ(whole, reply.size() - std::string("\r\nRING\r\n").size());
    for (std::size_t piece = 1; piece < reply.size(); ++piece)
        EXPECT_EQ(end_of_reply(ReplyEnd::FinalCode, reply, piece), whole) << "pieces of " << piece;
}

TEST(ReplyFramer, InformationTextsEndAfterTheirBackspace)
{
    // An "OK" line inside the text is text; the final code after the backspace ends it.
    const std::string text = "\r\nImportant:\r\nOK\r\nATE0 echo\r\n\b";
    const std::string reply = text + "\r\n\r\nOK\r\n";
    for (std::size_t piece : {1u, 3u, 100u})
        EXPECT_EQ(end_of_reply(ReplyEnd::Backspace, reply, piece), reply.size()) << piece;
    EXPECT_EQ(end_of_reply(ReplyEnd::Backspace, text, 100), text.size() + 1)
        << "without a final code after it, the line falling quiet ends the text";
    EXPECT_EQ(end_of_reply(ReplyEnd::Backspace, "\r\nERROR\r\n", 100), 10u) << "no backspace: the line falls quiet";
}

TEST(ReplyFramer, QuietGapRepliesNeverEndByContent)
{
    const std::string verdict = "\r\nOK\r\n\r\nUPGRADE FAIL\r\n";
    EXPECT_EQ(end_of_reply(ReplyEnd::QuietGap, verdict, 100), verdict.size() + 1);
}

TEST(ReplyFramer, FinalCodeOfAWholeText)
{
    EXPECT_TRUE(q30::ends_with_final_code("\r\nOK\r\n"));
    EXPECT_TRUE(q30::ends_with_final_code("x\r\n\r\nERROR\r\n"));
    EXPECT_FALSE(q30::ends_with_final_code("OK\r\n"));
    EXPECT_FALSE(q30::ends_with_final_code(""));
    EXPECT_FALSE(q30::ends_with_final_code("\r\n\r\n"));
}
