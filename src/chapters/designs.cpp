#include "chapters/designs.h"

namespace vellumora::chapters {

namespace {

constexpr MenuDesign kMenus[] = {
    {"frmChildMain", "Childhood", {6885, 5295}, 6225},
    {"frmHighSchMain", "HighSchool", {6825, 4470}, 6225, true},
    {"frmCarMain", "FirstCar", {6765, 2640}, 6225},
    {"frmVolunMain", "Volunteering", {6765, 3045}, 6225},
    {"frmJobsMain", "Jobs", {6525, 2565}, 5865},
    {"frmCollegeMain", "College", {6810, 5520}, 6225},
    {"frmMilitaryMain", "Military", {6825, 3990}, 6225, true},
    {"frmWeddingMain", "Wedding", {6765, 4935}, 6225},
    {"frmKidsMain", "Children", {6270, 2430}, 5745},
    {"frmTravelMain", "Travel", {6780, 3705}, 6225},
    {"frmLifeMain", "Life", {6690, 3000}, 6225},
    {"frmFinalMain", "Final", {6270, 2535}, 5745},
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
    {.name = "frmChildhood1",
     .chapterKey = "Childhood",
     .arrangement = FiveQuestions,
     .questions = kChildhood1,
     .client = {6630, 5820},
     .bottomBox = {2295, 1215}},
    {"frmChildhood2", "Childhood", FiveQuestions, kChildhood2, {6660, 5550}},
    {.name = "frmHighSch1",
     .chapterKey = "HighSchool",
     .arrangement = FiveQuestions,
     .questions = kHighSch1,
     .client = {6645, 5670},
     .bottomBox = {2775, 1095}},
    {"frmHighSch2", "HighSchool", ThreeQuestions, kHighSch2, {6600, 3735}},
    {"frmFirstCar", "FirstCar", FiveQuestions, kFirstCar, {6645, 5550}},
    {"frmVolun1", "Volunteering", FiveQuestions, kVolun1, {6645, 5580}},
    {"frmJobs", "Jobs", FiveQuestions, kJobs, {6660, 5550}},
    {"frmCollege1", "College", FourQuestions, kCollege1, {6645, 4815}},
    {"frmCollege2", "College", LeftTwoRightOne, kCollege2, {6675, 3990}},
    {"frmCollege3", "College", FourQuestions, kCollege3, {6630, 5265}},
    {.name = "frmMilitary1",
     .chapterKey = "Military",
     .arrangement = ThreeQuestions,
     .questions = kMilitary1,
     .client = {6765, 4020},
     .rightColumnWidth = 3255,
     .bottomFrameWidth = 5175,
     .bottomBox = {2895, 1095}},
    {.name = "frmMilitary2",
     .chapterKey = "Military",
     .arrangement = FourQuestions,
     .questions = kMilitary2,
     .client = {6855, 4950},
     .rightColumnWidth = 3375,
     .rightColumnBox = {3135, 975},
     .returnLeft = 5640},
    {"frmWedding1", "Wedding", FiveQuestions, kWedding1, {6615, 5550}},
    {"frmWedding2", "Wedding", FiveQuestions, kWedding2, {6660, 5790}},
    {"frmKids", "Children", ThreeQuestions, kKids, {6645, 4005}},
    {"frmTravel1", "Travel", FourQuestions, kTravel1, {6615, 4680}},
    {.name = "frmTravel2",
     .chapterKey = "Travel",
     .arrangement = ThreeQuestions,
     .questions = kTravel2,
     .client = {6645, 4350},
     .bottomBox = {4815, 735},
     .bottomLabelAbove = true},
    {"frmLife1", "Life", ThreeQuestions, kLife1, {6615, 3750}},
    {"frmLife2", "Life", ThreeQuestions, kLife2, {6660, 3750}},
    {"frmFinal", "Final", FourQuestions, kFinal, {6630, 4815}},
};

}  // namespace

std::span<const MenuDesign> menuDesigns() {
    return kMenus;
}

std::span<const PageDesign> pageDesigns() {
    return kPages;
}

}  // namespace vellumora::chapters
