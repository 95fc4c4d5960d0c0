#include "store/catalogue.h"

#include <algorithm>
#include <array>

namespace vellumora::catalogue {

namespace {

// The questions, in the one order used by the screens, the document and the
// data file: index i is catalogue position i + 1 and data file field i + 1.
constexpr std::array<Question, kQuestionCount> kQuestions{{
    {"Childhood", "GrowUp", "frmChildhood1", false,
     "When you were a child, what did you always want to be when you grew up?"},
    {"Childhood", "Toys", "frmChildhood1", false, "What were the toys you remember having?"},
    {"Childhood", "Games", "frmChildhood1", false, "What were your favorite games as a child?"},
    {"Childhood", "Lived", "frmChildhood1", false,
     "Where did you live growing up?  If you moved during your childhood, which home was your "
     "favorite, and why?"},
    {"Childhood", "Hobbies", "frmChildhood1", false, "What were your hobbies as a child?"},
    {"Childhood", "School", "frmChildhood2", false,
     "Did you like school as a child?  What were your favorite classes?  Your least favorite?"},
    {"Childhood", "Differences", "frmChildhood2", false,
     "We each grew up in different times.  What do you think was the biggest difference between "
     "your childhood and mine?"},
    {"Childhood", "Friends", "frmChildhood2", false, "Who were your best childhood friends?  Why?"},
    {"Childhood", "Siblings", "frmChildhood2", false, "Did you and your siblings get along?"},
    {"Childhood", "Parents", "frmChildhood2", true, "Were your parents strict?  How?"},
    {"HighSchool", "GoHighSch", "frmHighSch1", false, "Where did you go to high school?"},
    {"HighSchool", "Grad", "frmHighSch1", false, "When did you finish high school?"},
    {"HighSchool", "Classes", "frmHighSch1", false,
     "What were your favorite classes in high school?"},
    {"HighSchool", "AfterSch", "frmHighSch1", false,
     "What were your favorite after-school activities?"},
    {"HighSchool", "Clubs", "frmHighSch1", false,
     "Did you belong to any clubs or organizations while you were in high school?"},
    {"HighSchool", "Sports", "frmHighSch2", false,
     "Did you play any sports while in high school, whether on a team or for fun?"},
    {"HighSchool", "Hobbies", "frmHighSch2", false,
     "What were your favorite hobbies when you were in high school?"},
    {"HighSchool", "AfterGrad", "frmHighSch2", true,
     "What was it you couldn't wait to do once you got out of high school?"},
    {"FirstCar", "Car", "frmFirstCar", false,
     "What was your first car?  (Make, model, year, color, etc.)"},
    {"FirstCar", "WhenGet", "frmFirstCar", false,
     "When did you get your first car (year)?  How old were you?"},
    {"FirstCar", "Getting", "frmFirstCar", false, "What was it like, getting your first car?"},
    {"FirstCar", "Length", "frmFirstCar", false,
     "How long did you have your first car?  Why did you get rid of it?"},
    {"FirstCar", "Stories", "frmFirstCar", true,
     "Do you have any interesting stories about your first car?"},
    {"Volunteering", "Volun", "frmVolun1", false,
     "Did you ever do any volunteer work?  (Yes/No, Comments)"},
    {"Volunteering", "WWW", "frmVolun1", false,
     "When and where did you volunteer?  What did you do?"},
    {"Volunteering", "Skills", "frmVolun1", true,
     "Did you learn any specific skills from your volunteer experience(s)?"},
    {"Volunteering", "Like", "frmVolun1", false,
     "What did you like or dislike about your volunteer job(s)?"},
    {"Volunteering", "Wanted", "frmVolun1", false,
     "Was there a job or place you would have liked to have volunteered growing up?"},
    {"Jobs", "FirstJob", "frmJobs", false, "What was your first job?  Please tell me about it."},
    {"Jobs", "Best", "frmJobs", false, "What was the best job you ever had?  Why?"},
    {"Jobs", "Worst", "frmJobs", false, "What was the worst job you ever had?  Why?"},
    {"Jobs", "Want", "frmJobs", false,
     "Is there a job you haven't had yet that you would like to have?"},
    {"Jobs", "Dream", "frmJobs", true, "What would your dream job be?"},
    {"College", "WhereWent", "frmCollege1", false,
     "Did you go to college?  If yes, where and when?"},
    {"College", "Scholarship", "frmCollege1", false, "Did you receive any college scholarships?"},
    {"College", "Major", "frmCollege1", false,
     "What were your major(s), minor(s), and/or field(s) of study?"},
    {"College", "Favorite", "frmCollege1", false, "What were your favorite college classes?"},
    {"College", "Best", "frmCollege2", false, "What did you like best about going to college?"},
    {"College", "Least", "frmCollege2", false, "What did you like least about going to college?"},
    {"College", "Graduate", "frmCollege2", false,
     "Did you graduate from college?  If yes, when? Did you go through the ceremony?  Who was "
     "there to watch you?  Do you remember anything specific about the ceremony?"},
    {"College", "NotGrad", "frmCollege3", false,
     "If you didn't graduate, was there a reason why?  How many years did you attend college?  "
     "Would you like to go back?"},
    {"College", "Orgs", "frmCollege3", false,
     "Did you belong to any organizations while you were in college?"},
    {"College", "Sports", "frmCollege3", false,
     "Did you play any sports while you were in college?  Were you on any teams?"},
    {"College", "Stories", "frmCollege3", true,
     "Are there any stories about college that you'd like to tell me?"},
    {"Military", "Military", "frmMilitary1", false,
     "Were you in the military?  If yes, when?  What was your job?"},
    {"Military", "Where", "frmMilitary1", false,
     "If applicable, what countries/areas did you see?"},
    {"Military", "People", "frmMilitary1", false,
     "Did you get to see anyone famous during this time?"},
    {"Military", "Friends", "frmMilitary2", false,
     "Are you still friends with anyone you met during the time you were in the military?"},
    {"Military", "War", "frmMilitary2", false,
     "Do you remember any particular war(s) during your life time?  Where were you?  How old were "
     "you?  What was it like for you?"},
    {"Military", "Events", "frmMilitary2", false,
     "Do you remember missing anything because of the war(s)?"},
    {"Military", "Comments", "frmMilitary2", true,
     "Do you have any comments you'd like to share with me about wars?"},
    {"Wedding", "Meet", "frmWedding1", false,
     "How did you two meet?  How long before you got engaged?  Before you got married?"},
    {"Wedding", "Shower", "frmWedding1", false,
     "Did you have a bridal shower?  Who gave it?  What was it like?"},
    {"Wedding", "Where", "frmWedding1", false, "When and where did you get married?"},
    {"Wedding", "Ceremony", "frmWedding1", false, "What was your wedding ceremony like?"},
    {"Wedding", "Reception", "frmWedding1", false,
     "Did you have a reception?  If yes, what was it like?"},
    {"Wedding", "Size", "frmWedding2", false, "Were your wedding and reception large or small?"},
    {"Wedding", "Stories", "frmWedding2", false,
     "Do you remember any funny stories about your wedding and/or reception?"},
    {"Wedding", "Honeymoon", "frmWedding2", false,
     "Where did you go on your honeymoon and how long was it?"},
    {"Wedding", "HStories", "frmWedding2", false,
     "Do you remember any funny stories about your honeymoon?"},
    {"Wedding", "Advice", "frmWedding2", true, "Do you have any marital advice for me?"},
    {"Children", "MeStories", "frmKids", false,
     "Do you have any funny stories about me before I arrived?  During my arrival?"},
    {"Children", "Siblings", "frmKids", false,
     "If applicable, how did my siblings act when I arrived?  Or, how did I act when my siblings "
     "arrived?"},
    {"Children", "Stories", "frmKids", true,
     "Any funny stories to tell about having children in general?"},
    {"Travel", "Countries", "frmTravel1", false, "What other countries have you been to?"},
    {"Travel", "Like", "frmTravel1", false, "What did you like about each one?"},
    {"Travel", "NotLike", "frmTravel1", false, "What didn't you like about each one?"},
    {"Travel", "Here", "frmTravel1", false, "What is your favorite part of this country?  Why?"},
    {"Travel", "Vacation", "frmTravel2", false,
     "What was the best vacation you ever took?  What made it special?"},
    {"Travel", "Future", "frmTravel2", false, "Where would you like to travel to in the future?"},
    {"Travel", "Free", "frmTravel2", true,
     "If you could go anywhere in the world, for free, where would you go and why?  And/or what "
     "would your dream vacation be?"},
    {"Life", "Change", "frmLife1", false,
     "If you could change anything about your life, what would it be?"},
    {"Life", "Goals", "frmLife1", false,
     "What are some of your goals and/or plans for the future?"},
    {"Life", "Advice", "frmLife1", false, "What advice about life can you give me?"},
    {"Life", "Books", "frmLife2", false,
     "What kinds of books and/or magazines do you like to read?"},
    {"Life", "Hobbies", "frmLife2", true, "What are your hobbies now?"},
    {"Life", "Learn", "frmLife2", false, "Is there anything you'd like to learn how to do?"},
    {"Final", "Self", "frmFinal", false,
     "What about yourself would you especially like me to know?"},
    {"Final", "Advice", "frmFinal", false,
     "Do you have any advice you've been meaning to give me?"},
    {"Final", "Questions", "frmFinal", false,
     "What question(s) do you wish I had asked?  What are the answers to these questions?"},
    {"Final", "Comments", "frmFinal", true, "Any final comments?"},
}};

constexpr Page kChildhoodPages[] = {{"frmChildhood1", "Vellumora - Childhood #1"},
                                    {"frmChildhood2", "Vellumora - Childhood #2"}};
constexpr Page kHighSchoolPages[] = {{"frmHighSch1", "Vellumora - High School #1"},
                                     {"frmHighSch2", "Vellumora - High School #2"}};
constexpr Page kFirstCarPages[] = {{"frmFirstCar", "Vellumora - First Car"}};
constexpr Page kVolunteeringPages[] = {{"frmVolun1", "Vellumora - Volunteering"}};
constexpr Page kJobsPages[] = {{"frmJobs", "Vellumora - Jobs"}};
constexpr Page kCollegePages[] = {{"frmCollege1", "Vellumora - College #1"},
                                  {"frmCollege2", "Vellumora - College #2"},
                                  {"frmCollege3", "Vellumora - College #3"}};
constexpr Page kMilitaryPages[] = {{"frmMilitary1", "Vellumora - Military #1"},
                                   {"frmMilitary2", "Vellumora - Military #2"}};
constexpr Page kWeddingPages[] = {{"frmWedding1", "Vellumora - Wedding #1"},
                                  {"frmWedding2", "Vellumora - Wedding #2"}};
constexpr Page kChildrenPages[] = {{"frmKids", "Vellumora - Having Children"}};
constexpr Page kTravelPages[] = {{"frmTravel1", "Vellumora - Travel #1"},
                                 {"frmTravel2", "Vellumora - Travel #2"}};
constexpr Page kLifePages[] = {{"frmLife1", "Vellumora - Life in General #1"},
                               {"frmLife2", "Vellumora - Life in General #2"}};
constexpr Page kFinalPages[] = {{"frmFinal", "Vellumora - Final Thoughts"}};

constexpr std::array<Chapter, 12> kChapters{{
    {"Childhood", "&Childhood", "frmChildMain", "Vellumora - Childhood", kChildhoodPages,
     "CHILDHOOD:", 1, 10},
    {"HighSchool", "&High School", "frmHighSchMain", "Vellumora - High School", kHighSchoolPages,
     "HIGH SCHOOL:", 11, 8},
    {"FirstCar", "&First Car", "frmCarMain", "Vellumora - First Car", kFirstCarPages,
     "FIRST CAR:", 19, 5},
    {"Volunteering", "&Volunteering", "frmVolunMain", "Vellumora - Volunteering",
     kVolunteeringPages, "VOLUNTEERING:", 24, 5},
    {"Jobs", "&Jobs", "frmJobsMain", "Vellumora - Jobs", kJobsPages, "JOBS:", 29, 5},
    {"College", "Colle&ge", "frmCollegeMain", "Vellumora - College", kCollegePages, "COLLEGE:", 34,
     11},
    {"Military", "&Military", "frmMilitaryMain", "Vellumora - Military", kMilitaryPages,
     "MILITARY:", 45, 7},
    {"Wedding", "&Wedding", "frmWeddingMain", "Vellumora - Wedding", kWeddingPages, "WEDDING:", 52,
     10},
    {"Children", "Having Child&ren", "frmKidsMain", "Vellumora - Having Kids", kChildrenPages,
     "HAVING CHILDREN:", 62, 3},
    {"Travel", "&Travel", "frmTravelMain", "Vellumora - Travel", kTravelPages, "TRAVELING:", 65, 7},
    {"Life", "&Life in General", "frmLifeMain", "Vellumora - Life in General", kLifePages,
     "LIFE IN GENERAL:", 72, 6},
    {"Final", "Fi&nal Thoughts", "frmFinalMain", "Vellumora - Final Thoughts", kFinalPages,
     "FINAL COMMENTS:", 78, 4},
}};

// Labels that break or reword a question for a narrow screen; the document
// keeps the catalogue text.
constexpr ScreenWording kScreenWordings[] = {
    {"frmChildhood1", "Childhood.Lived",
     "Where did you live grow- ing up?  If you moved during your childhood, which home was your "
     "favorite, and why?"},
    {"frmCollege2", "College.Graduate",
     "Did you graduate from college?  If yes, when? Did you go through the ceremony? Who was "
     "there to watch you?  Do you remember anything specific about the ceremony?"},
    {"frmMilitary1", "Military.Where", "If applicable, what countries/ areas did you see?"},
    {"frmMilitary2", "Military.War",
     "Do you remember any particular war(s) during your lifetime?  Where were you?  How old were "
     "you?  What was it like for you?"},
    {"frmMilitaryMain", "Military.War",
     "Do you remember any particular war(s) during your life time?  Where were you?  Hold old "
     "were you?  What was it like for you?"},
    {"frmMilitary2", "Military.Events",
     "Do you remember missing any- thing because of the war(s)?"},
};

}  // namespace

std::span<const Chapter> chapters() {
    return kChapters;
}

std::span<const Question> questions() {
    return kQuestions;
}

const Question& question(int position) {
    Q_ASSERT(position >= 1 && position <= kQuestionCount);
    return kQuestions[std::size_t(position - 1)];
}

std::span<const Question> questionsOf(const Chapter& chapter) {
    return questions().subspan(std::size_t(chapter.firstPosition - 1),
                               std::size_t(chapter.questionCount));
}

const Chapter& chapterOf(const Question& question) {
    const Chapter* chapter = findChapter(QString::fromLatin1(question.chapterKey));
    Q_ASSERT(chapter);
    return *chapter;
}

const Chapter* findChapter(QStringView key) {
    for (const Chapter& chapter : kChapters)
        if (key == QLatin1StringView(chapter.key))
            return &chapter;
    return nullptr;
}

QString slotName(const Question& question) {
    return QLatin1StringView(question.chapterKey) + u'.' + QLatin1StringView(question.key);
}

int positionOf(QStringView slot) {
    for (int i = 0; i < kQuestionCount; ++i)
        if (slot == slotName(kQuestions[std::size_t(i)]))
            return i + 1;
    return 0;
}

QString menuControlKey(const Question& question) {
    const QString slot = slotName(question);
    if (slot == u"FirstCar.Getting")
        return QStringLiteral("Like");
    if (slot == u"Volunteering.Volun")
        return QStringLiteral("Volunteer");
    if (slot == u"College.WhereWent")
        return QStringLiteral("WhereWhen");
    return QLatin1StringView(question.key);
}

QString pageLabelName(const Question& question) {
    const QString slot = slotName(question);
    if (slot == u"Volunteering.Volun")
        return QStringLiteral("lblVolunteer");
    if (slot == u"College.WhereWent")
        return QStringLiteral("lblWhereWhen");
    return QStringLiteral("lbl") + QLatin1StringView(question.key);
}

std::span<const ScreenWording> screenWordings() {
    return kScreenWordings;
}

QString wordingOn(QStringView screen, const Question& question) {
    const QString slot = slotName(question);
    for (const ScreenWording& wording : kScreenWordings)
        if (screen == QLatin1StringView(wording.screen) && slot == QLatin1StringView(wording.slot))
            return QString::fromLatin1(wording.text);
    return QString::fromLatin1(question.text);
}

}  // namespace vellumora::catalogue
