#include "engine/text/grammar_tables.h"

namespace rux {

int caseIndex(int grammaticalCase) {
    return grammaticalCase >= 0 && grammaticalCase < grammaticalCases ? grammaticalCase : 0;
}

int genderIndex(int gender) {
    return gender >= 0 && gender < genderClasses ? gender : neuterClass;
}

int styleIndex(int style) {
    return style >= 0 && style < declensionStyles ? style : 0;
}

std::string_view definiteArticle(int grammaticalCase, int gender) {
    return definiteArticles[caseIndex(grammaticalCase)][genderIndex(gender)];
}

std::string_view indefiniteArticle(int grammaticalCase, int gender) {
    return indefiniteArticles[caseIndex(grammaticalCase)][genderIndex(gender)];
}

std::string_view adjectiveEndingFor(int style, int grammaticalCase, int gender) {
    return adjectiveEndings[styleIndex(style)][caseIndex(grammaticalCase)][genderIndex(gender)];
}

std::string_view thirdPersonPronoun(int grammaticalCase, int gender) {
    return thirdPersonPronouns[caseIndex(grammaticalCase)][genderIndex(gender)];
}

std::string_view firstPersonForm(int grammaticalCase) {
    return firstPersonForms[caseIndex(grammaticalCase)];
}

std::string_view secondPersonForm(int grammaticalCase) {
    return secondPersonForms[caseIndex(grammaticalCase)];
}

} // namespace rux
