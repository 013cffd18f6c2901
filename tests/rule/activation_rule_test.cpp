#include "rule/activation_rule.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Title = std::u16string;

struct RuleCase {
    const char* name;
    std::uint32_t processId;
    Title title;
    bool hasParent;
    std::uint32_t hostProcessId;
    bool close;
};

void PrintTo(const RuleCase& c, std::ostream* out) { *out << c.name; }

const RuleCase kRuleCases[] = {
    {"untitled owned window of the host", 7, u"", true, 7, true},
    {"without parent or owner", 7, u"", false, 7, false},
    {"of another process", 7, u"", true, 9, false},
    {"titled with one space: nothing is trimmed", 7, u" ", true, 7, false},
    {"titled A", 7, u"A", true, 7, false},
    {"titled in mixed case", 7, u"Save As", true, 7, false},
    {"titled with a NUL-free run of 1023 units", 7, Title(1023, u'Z'), true, 7, false},
    {"titled, of another process, without owner", 7, u"x", false, 9, false},
    {"no host recorded: 0 is compared like any id", 7, u"", true, 0, false},
    {"no host recorded, window claiming id 0", 0, u"", true, 0, true},
};

class ShouldCloseWindowTest : public testing::TestWithParam<RuleCase> {};

TEST_P(ShouldCloseWindowTest, JudgesTheFacts)
{
    const RuleCase& c = GetParam();
    Title capture = c.title;
    const WindowFacts facts{c.processId, capture, c.hasParent};

    EXPECT_EQ(ShouldCloseWindow(facts, c.hostProcessId), c.close);
    // The same facts give the same verdict, also with the capture normalised.
    EXPECT_EQ(ShouldCloseWindow(facts, c.hostProcessId), c.close);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShouldCloseWindowTest, testing::ValuesIn(kRuleCases),
                         CaseName<RuleCase>);

TEST(ShouldCloseWindowTest, NormalisesTheCaptureBeforeAnyTest)
{
    Title capture = u"AbZ";
    const WindowFacts ownerless{7, capture, false};

    EXPECT_FALSE(ShouldCloseWindow(ownerless, 7));
    EXPECT_EQ(capture, u"abz");
}

struct NormalizeCase {
    const char* name;
    Title input;
    Title expected;
};

void PrintTo(const NormalizeCase& c, std::ostream* out) { *out << c.name; }

const NormalizeCase kNormalizeCases[] = {
    {"capitals become small letters", u"Ab", u"ab"},
    {"whole range", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", u"abcdefghijklmnopqrstuvwxyz"},
    {"empty stays empty", u"", u""},
    {"neighbours of the range stay", u"@[`{", u"@[`{"},
    {"small letters stay", u"abcxyz", u"abcxyz"},
    {"digits and punctuation stay", u"0-9 !?", u"0-9 !?"},
    {"Latin capitals with diacritics stay", u"\u00D6\u00C9", u"\u00D6\u00C9"},
    {"dotted capital I stays", u"\u0130", u"\u0130"},
    {"fullwidth capitals stay", u"\uFF21\uFF3A", u"\uFF21\uFF3A"},
    {"Greek and Cyrillic capitals stay", u"\u03A3\u0414", u"\u03A3\u0414"},
    {"surrogate pairs are left unit by unit", u"\U0001D400A", u"\U0001D400a"},
    {"longest capture", Title(1023, u'Z'), Title(1023, u'z')},
};

class NormalizeTitleTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeTitleTest, MapsOnlyAsciiCapitals)
{
    Title title = GetParam().input;
    NormalizeTitle(title);
    EXPECT_EQ(title, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizeTitleTest, testing::ValuesIn(kNormalizeCases),
                         CaseName<NormalizeCase>);

}  // namespace
