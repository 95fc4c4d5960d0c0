#include "chapters/designs.h"

namespace vellumora::chapters {

namespace {

using catalogue::ChapterId;
using enum catalogue::PageId;

constexpr MenuDesign kMenus[] = {
    {ChapterId::Childhood, {6885, 5295}, 6225},
    {ChapterId::HighSchool, {6825, 4470}, 6225, true},
    {ChapterId::FirstCar, {6765, 2640}, 6225},
    {ChapterId::Volunteering, {6765, 3045}, 6225},
    {ChapterId::Jobs, {6525, 2565}, 5865},
    {ChapterId::College, {6810, 5520}, 6225},
    {ChapterId::Military, {6825, 3990}, 6225, true},
    {ChapterId::Wedding, {6765, 4935}, 6225},
    {ChapterId::Children, {6270, 2430}, 5745},
    {ChapterId::Travel, {6780, 3705}, 6225},
    {ChapterId::Life, {6690, 3000}, 6225},
    {ChapterId::Final, {6270, 2535}, 5745},
};

using enum Frame;

// Questions in page and tab order. The two Childhood pages run down the left
// column, then the right, then the bottom frame; frmMilitary2 goes row by row.
constexpr PageQuestion kChildhood1[] = {
    {"GrowUp", Left}, {"Toys", Left}, {"Games", Right}, {"Hobbies", Right}, {"Lived", Bottom}};
constexpr PageQuestion kChildhood2[] = {{"School", Left},
                                        {"Friends", Left},
                                        {"Differences", Right},
                                        {"Siblings", Right},
                                        {"Parents", Bottom}};
constexpr PageQuestion kHighSch1[] = {{"GoHighSch", Left},
                                      {"Grad", Left},
                                      {"Classes", Right},
                                      {"AfterSch", Right},
                                      {"Clubs", Bottom}};
constexpr PageQuestion kHighSch2[] = {{"Sports", Left}, {"Hobbies", Right}, {"AfterGrad", Bottom}};
constexpr PageQuestion kFirstCar[] = {
    {"Car", Left}, {"WhenGet", Left}, {"Getting", Bottom}, {"Length", Right}, {"Stories", Right}};
constexpr PageQuestion kVolun1[] = {
    {"Volun", Left}, {"WWW", Left}, {"Skills", Bottom}, {"Like", Right}, {"Wanted", Right}};
constexpr PageQuestion kJobs[] = {
    {"FirstJob", Left}, {"Best", Left}, {"Worst", Right}, {"Want", Right}, {"Dream", Bottom}};
constexpr PageQuestion kCollege1[] = {
    {"WhereWent", Left}, {"Scholarship", Left}, {"Major", Right}, {"Favorite", Right}};
constexpr PageQuestion kCollege2[] = {{"Best", Left}, {"Least", Left}, {"Graduate", Right}};
constexpr PageQuestion kCollege3[] = {
    {"NotGrad", Left}, {"Orgs", Left}, {"Sports", Right}, {"Stories", Right}};
constexpr PageQuestion kMilitary1[] = {{"Military", Left}, {"Where", Right}, {"People", Bottom}};
constexpr PageQuestion kMilitary2[] = {
    {"Friends", Left}, {"War", Right}, {"Events", Left}, {"Comments", Right}};
constexpr PageQuestion kWedding1[] = {
    {"Meet", Left}, {"Shower", Left}, {"Where", Right}, {"Ceremony", Right}, {"Reception", Bottom}};
constexpr PageQuestion kWedding2[] = {{"Size", Left},
                                      {"Stories", Left},
                                      {"Honeymoon", Right},
                                      {"HStories", Right},
                                      {"Advice", Bottom}};
constexpr PageQuestion kKids[] = {{"MeStories", Left}, {"Siblings", Right}, {"Stories", Bottom}};
constexpr PageQuestion kTravel1[] = {
    {"Countries", Left}, {"Like", Left}, {"NotLike", Right}, {"Here", Right}};
constexpr PageQuestion kTravel2[] = {{"Vacation", Left}, {"Future", Right}, {"Free", Bottom}};
constexpr PageQuestion kLife1[] = {{"Change", Left}, {"Goals", Right}, {"Advice", Bottom}};
constexpr PageQuestion kLife2[] = {{"Books", Left}, {"Hobbies", Bottom}, {"Learn", Right}};
constexpr PageQuestion kFinal[] = {
    {"Self", Left}, {"Advice", Left}, {"Questions", Right}, {"Comments", Right}};

using enum Arrangement;

constexpr PageDesign kPages[] = {
    {.page = Childhood1,
     .arrangement = FiveQuestions,
     .questions = kChildhood1,
     .client = {6630, 5820},
     .bottomBox = {2295, 1215}},
    {Childhood2, FiveQuestions, kChildhood2, {6660, 5550}},
    {.page = HighSchool1,
     .arrangement = FiveQuestions,
     .questions = kHighSch1,
     .client = {6645, 5670},
     .bottomBox = {2775, 1095}},
    {HighSchool2, ThreeQuestions, kHighSch2, {6600, 3735}},
    {FirstCar, FiveQuestions, kFirstCar, {6645, 5550}},
    {Volunteering, FiveQuestions, kVolun1, {6645, 5580}},
    {Jobs, FiveQuestions, kJobs, {6660, 5550}},
    {College1, FourQuestions, kCollege1, {6645, 4815}},
    {College2, LeftTwoRightOne, kCollege2, {6675, 3990}},
    {College3, FourQuestions, kCollege3, {6630, 5265}},
    {.page = Military1,
     .arrangement = ThreeQuestions,
     .questions = kMilitary1,
     .client = {6765, 4020},
     .rightColumnWidth = 3255,
     .bottomFrameWidth = 5175,
     .bottomBox = {2895, 1095}},
    {.page = Military2,
     .arrangement = FourQuestions,
     .questions = kMilitary2,
     .client = {6855, 4950},
     .rightColumnWidth = 3375,
     .rightColumnBox = {3135, 975},
     .returnLeft = 5640},
    {Wedding1, FiveQuestions, kWedding1, {6615, 5550}},
    {Wedding2, FiveQuestions, kWedding2, {6660, 5790}},
    {Children, ThreeQuestions, kKids, {6645, 4005}},
    {Travel1, FourQuestions, kTravel1, {6615, 4680}},
    {.page = Travel2,
     .arrangement = ThreeQuestions,
     .questions = kTravel2,
     .client = {6645, 4350},
     .bottomBox = {4815, 735},
     .bottomLabelAbove = true},
    {Life1, ThreeQuestions, kLife1, {6615, 3750}},
    {Life2, ThreeQuestions, kLife2, {6660, 3750}},
    {Final, FourQuestions, kFinal, {6630, 4815}},
};

// Each design stands at its chapter's or page's place in the catalogue.
constexpr bool inCatalogueOrder() {
    if (std::size(kMenus) != catalogue::kChapterCount || std::size(kPages) != catalogue::kPageCount)
        return false;
    for (std::size_t i = 0; i < std::size(kMenus); ++i)
        if (std::size_t(kMenus[i].chapter) != i)
            return false;
    for (std::size_t i = 0; i < std::size(kPages); ++i)
        if (std::size_t(kPages[i].page) != i)
            return false;
    return true;
}
static_assert(inCatalogueOrder());

}  // namespace

std::span<const MenuDesign> menuDesigns() {
    return kMenus;
}

std::span<const PageDesign> pageDesigns() {
    return kPages;
}

}  // namespace vellumora::chapters
