#include "hostapi/WString.h"

#include <gtest/gtest.h>

TEST(WString, FormatsThePatternsTheModuleUses) {
    EXPECT_EQ(WString::Formatted(u"PF%02d/%s/%s", 7, WString(u"0120"), u"G337"), u"PF07/0120/G337");
    EXPECT_EQ(WString::Formatted(u"%.3f", 2.0005), u"2.001"); // printf's own rounding of the binary value
    EXPECT_EQ(WString::Formatted(u"%.3f", -0.5), u"-0.500");
    EXPECT_EQ(WString::Formatted(u"%s %s", u"G337", WString(u"Parma")), u"G337 Parma");
    EXPECT_EQ(WString::Formatted(u"%d/%d", 3, 12), u"3/12");
    EXPECT_EQ(WString::Formatted(u"[%-5s|%5s]", u"ab", u"cd"), u"[ab   |   cd]");
    EXPECT_EQ(WString::Formatted(u"%05.1f|%+d|%x|%c|%%", 3.14159, 5, 255, u'Z'), u"003.1|+5|ff|Z|%");
    EXPECT_EQ(WString::Formatted(u"%.2s", u"abcdef"), u"ab");
    EXPECT_EQ(WString::Formatted(u"%*d", 4, 42), u"  42");
}

TEST(WString, FormatSurvivesMissingArgumentsAndHugeValues) {
    EXPECT_EQ(WString::Formatted(u"%s-%d"), u"-0");
    EXPECT_EQ(WString::Formatted(u"%.3f", 1.7e200), u"1.700e+200");
    EXPECT_EQ(WString::Formatted(u"abc%"), u"abc");
}

TEST(WString, SubstringsAreClampedNeverOutOfBounds) {
    const WString s(u"PF01/0120/G337");
    EXPECT_EQ(s.Mid(5, 4), u"0120");
    EXPECT_EQ(s.Mid(12, 10), u"37");
    EXPECT_EQ(s.Mid(40, 2), u"");
    EXPECT_EQ(s.Mid(-3, 2), u"PF");
    EXPECT_EQ(s.Left(-1), u"");
    EXPECT_EQ(s.Right(99), s);
    EXPECT_EQ(s.GetAt(99), 0);
    EXPECT_EQ(s.Find(u'/'), 4);
    EXPECT_EQ(s.Find(u'/', 5), 9);
    EXPECT_EQ(s.Find(u'/', 100), -1);
    EXPECT_EQ(s.Find(WString(u"G3")), 10);
    EXPECT_EQ(s.ReverseFind(u'/'), 9);
}

TEST(WString, CaseAndTrimming) {
    WString s(u"  città\tè  \r\n");
    EXPECT_EQ(WString(s).Trim(), u"città\tè");
    EXPECT_EQ(WString(s).TrimRight(), u"  città\tè");
    EXPECT_EQ(WString(u"xxabxx").TrimLeft(u'x'), u"abxx");
    EXPECT_EQ(WString(u"città è ÿ").MakeUpper(), u"CITTÀ È Ÿ");
    EXPECT_EQ(WString(u"CITTÀ").MakeLower(), u"città");
    EXPECT_EQ(WString(u"abc").CompareNoCase(u"ABC"), 0);
    EXPECT_LT(WString(u"abc").Compare(u"abd"), 0);
}

TEST(WString, EightBitAndUtf8Bridges) {
    const std::string cp1252 = "citt\xE0 \x80 \x93x\x94";
    const WString w = WString::FromCp1252(cp1252);
    EXPECT_EQ(w, u"città € “x”");
    EXPECT_EQ(w.ToCp1252(), cp1252);
    EXPECT_EQ(WString(u"漢").ToCp1252(), "?");
    EXPECT_EQ(WString::FromUtf8(w.ToUtf8()), w);
    // Broken UTF-8 decodes to replacement characters, never past the end.
    EXPECT_EQ(WString::FromUtf8("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(WString::FromUtf8("\xFF"
                                "b"),
              u"\uFFFDb");
    EXPECT_EQ(WString::FromUtf8("\xF0\x9F\x98\x80").GetLength(), 2); // a surrogate pair
}

TEST(WString, ReplaceInsertDelete) {
    WString s(u"a-b-c");
    EXPECT_EQ(s.Replace(u"-", u"--"), 2);
    EXPECT_EQ(s, u"a--b--c");
    EXPECT_EQ(s.Remove(u'-'), 4);
    s.Insert(99, u"!");
    s.Delete(0, 1);
    EXPECT_EQ(s, u"bc!");
}
