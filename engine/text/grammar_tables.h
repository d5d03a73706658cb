#pragma once
// The fixed German grammar tables: articles, adjective endings and personal
// pronouns by case and gender class. The noun-phrase builder and the
// parser's article and ending tests read the same entries.
//
// Case index: 0 nominative, 1 accusative, 2 dative.
// Gender class: 0 plural, 1 masculine, 2 feminine, 3 neuter.
// Declension style: 0 after an indefinite article, a possessive or "kein";
// 1 after a definite article; 2 without article.

#include <array>
#include <string_view>

namespace rux {

inline constexpr int grammaticalCases = 3;
inline constexpr int genderClasses = 4;
inline constexpr int declensionStyles = 3;

inline constexpr int afterIndefiniteStyle = 0;
inline constexpr int afterDefiniteStyle = 1;
inline constexpr int withoutArticleStyle = 2;

inline constexpr int pluralClass = 0;
inline constexpr int masculineClass = 1;
inline constexpr int feminineClass = 2;
inline constexpr int neuterClass = 3;

using GenderRow = std::array<std::string_view, genderClasses>;
using CaseGenderTable = std::array<GenderRow, grammaticalCases>;
using CaseForms = std::array<std::string_view, grammaticalCases>;

inline constexpr CaseGenderTable definiteArticles{{
    {"die", "der", "die", "das"},
    {"die", "den", "die", "das"},
    {"den", "dem", "der", "dem"},
}};

inline constexpr CaseGenderTable indefiniteArticles{{
    {"", "ein", "eine", "ein"},
    {"", "einen", "eine", "ein"},
    {"", "einem", "einer", "einem"},
}};

inline constexpr std::array<CaseGenderTable, declensionStyles> adjectiveEndings{{
    // after an indefinite article, a possessive or "kein"; their plural
    // forms take the weak endings instead (see declensionStyleAfter)
    {{
        {"e", "er", "e", "es"},
        {"e", "en", "e", "es"},
        {"en", "en", "en", "en"},
    }},
    // after a definite article
    {{
        {"en", "e", "e", "e"},
        {"en", "en", "e", "e"},
        {"en", "en", "en", "en"},
    }},
    // without article
    {{
        {"e", "er", "e", "es"},
        {"e", "en", "e", "es"},
        {"en", "em", "er", "em"},
    }},
}};

inline constexpr CaseGenderTable thirdPersonPronouns{{
    {"sie", "er", "sie", "es"},
    {"sie", "ihn", "sie", "es"},
    {"ihnen", "ihm", "ihr", "ihm"},
}};

inline constexpr CaseForms firstPersonForms{"ich", "mich", "mir"};
inline constexpr CaseForms secondPersonForms{"du", "dich", "dir"};

// Indices from story data are untrusted: a case outside 0..2 counts as the
// nominative, a gender class outside 0..3 as neuter (a singular class, so
// verbs stay singular too), a style outside 0..2 as style 0.
int caseIndex(int grammaticalCase);
int genderIndex(int gender);
int styleIndex(int style);

// Table reads through the index guards above.
std::string_view definiteArticle(int grammaticalCase, int gender);
std::string_view indefiniteArticle(int grammaticalCase, int gender);
std::string_view adjectiveEndingFor(int style, int grammaticalCase, int gender);
std::string_view thirdPersonPronoun(int grammaticalCase, int gender);
std::string_view firstPersonForm(int grammaticalCase);
std::string_view secondPersonForm(int grammaticalCase);

} // namespace rux
