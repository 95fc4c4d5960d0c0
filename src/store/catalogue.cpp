#include "store/catalogue.h"

#include <algorithm>
#include <array>

namespace vellumora::catalogue {

namespace {

using enum PageId;

// The questions, in the one order used by the screens, the document and the
// data file: index i is catalogue position i + 1 and data file field i + 1.
constexpr std::array<Question, kQuestionCount> kQuestions{{
    {Childhood1, "GrowUp", false,
     "When you were a child, what did you always want to be when you grew up?"},
    {Childhood1, "Toys", false, "What were the toys you remember having?"},
    {Childhood1, "Games", false, "What were your favorite games as a child?"},
    {.page = Childhood1,
     .key = "Lived",
     .startsEmpty = false,
     .text = "Where did you live growing up?  If you moved during your childhood, which home was "
             "your favorite, and why?",
     .pageWording = "Where did you live grow- ing up?  If you moved during your childhood, which "
                    "home was your favorite, and why?"},
    {Childhood1, "Hobbies", false, "What were your hobbies as a child?"},
    {Childhood2, "School", false,
     "Did you like school as a child?  What were your favorite classes?  Your least favorite?"},
    {Childhood2, "Differences", false,
     "We each grew up in different times.  What do you think was the biggest difference between "
     "your childhood and mine?"},
    {Childhood2, "Friends", false, "Who were your best childhood friends?  Why?"},
    {Childhood2, "Siblings", false, "Did you and your siblings get along?"},
    {Childhood2, "Parents", true, "Were your parents strict?  How?"},
    {HighSchool1, "GoHighSch", false, "Where did you go to high school?"},
    {HighSchool1, "Grad", false, "When did you finish high school?"},
    {HighSchool1, "Classes", false, "What were your favorite classes in high school?"},
    {HighSchool1, "AfterSch", false, "What were your favorite after-school activities?"},
    {HighSchool1, "Clubs", false,
     "Did you belong to any clubs or organizations while you were in high school?"},
    {HighSchool2, "Sports", false,
     "Did you play any sports while in high school, whether on a team or for fun?"},
    {HighSchool2, "Hobbies", false,
     "What were your favorite hobbies when you were in high school?"},
    {HighSchool2, "AfterGrad", true,
     "What was it you couldn't wait to do once you got out of high school?"},
    {FirstCar, "Car", false, "What was your first car?  (Make, model, year, color, etc.)"},
    {FirstCar, "WhenGet", false, "When did you get your first car (year)?  How old were you?"},
    {.page = FirstCar,
     .key = "Getting",
     .startsEmpty = false,
     .text = "What was it like, getting your first car?",
     .menuKey = "Like"},
    {FirstCar, "Length", false,
     "How long did you have your first car?  Why did you get rid of it?"},
    {FirstCar, "Stories", true, "Do you have any interesting stories about your first car?"},
    {.page = Volunteering,
     .key = "Volun",
     .startsEmpty = false,
     .text = "Did you ever do any volunteer work?  (Yes/No, Comments)",
     .menuKey = "Volunteer",
     .labelKey = "Volunteer"},
    {Volunteering, "WWW", false, "When and where did you volunteer?  What did you do?"},
    {Volunteering, "Skills", true,
     "Did you learn any specific skills from your volunteer experience(s)?"},
    {Volunteering, "Like", false, "What did you like or dislike about your volunteer job(s)?"},
    {Volunteering, "Wanted", false,
     "Was there a job or place you would have liked to have volunteered growing up?"},
    {Jobs, "FirstJob", false, "What was your first job?  Please tell me about it."},
    {Jobs, "Best", false, "What was the best job you ever had?  Why?"},
    {Jobs, "Worst", false, "What was the worst job you ever had?  Why?"},
    {Jobs, "Want", false, "Is there a job you haven't had yet that you would like to have?"},
    {Jobs, "Dream", true, "What would your dream job be?"},
    {.page = College1,
     .key = "WhereWent",
     .startsEmpty = false,
     .text = "Did you go to college?  If yes, where and when?",
     .menuKey = "WhereWhen",
     .labelKey = "WhereWhen"},
    {College1, "Scholarship", false, "Did you receive any college scholarships?"},
    {College1, "Major", false, "What were your major(s), minor(s), and/or field(s) of study?"},
    {College1, "Favorite", false, "What were your favorite college classes?"},
    {College2, "Best", false, "What did you like best about going to college?"},
    {College2, "Least", false, "What did you like least about going to college?"},
    {.page = College2,
     .key = "Graduate",
     .startsEmpty = false,
     .text = "Did you graduate from college?  If yes, when? Did you go through the ceremony?  Who "
             "was there to watch you?  Do you remember anything specific about the ceremony?",
     .pageWording = "Did you graduate from college?  If yes, when? Did you go through the "
                    "ceremony? Who was there to watch you?  Do you remember anything specific "
                    "about the ceremony?"},
    {College3, "NotGrad", false,
     "If you didn't graduate, was there a reason why?  How many years did you attend college?  "
     "Would you like to go back?"},
    {College3, "Orgs", false, "Did you belong to any organizations while you were in college?"},
    {College3, "Sports", false,
     "Did you play any sports while you were in college?  Were you on any teams?"},
    {College3, "Stories", true, "Are there any stories about college that you'd like to tell me?"},
    {Military1, "Military", false, "Were you in the military?  If yes, when?  What was your job?"},
    {.page = Military1,
     .key = "Where",
     .startsEmpty = false,
     .text = "If applicable, what countries/areas did you see?",
     .pageWording = "If applicable, what countries/ areas did you see?"},
    {Military1, "People", false, "Did you get to see anyone famous during this time?"},
    {Military2, "Friends", false,
     "Are you still friends with anyone you met during the time you were in the military?"},
    {.page = Military2,
     .key = "War",
     .startsEmpty = false,
     .text = "Do you remember any particular war(s) during your life time?  Where were you?  How "
             "old were you?  What was it like for you?",
     .menuWording = "Do you remember any particular war(s) during your life time?  Where were "
                    "you?  Hold old were you?  What was it like for you?",
     .pageWording = "Do you remember any particular war(s) during your lifetime?  Where were "
                    "you?  How old were you?  What was it like for you?"},
    {.page = Military2,
     .key = "Events",
     .startsEmpty = false,
     .text = "Do you remember missing anything because of the war(s)?",
     .pageWording = "Do you remember missing any- thing because of the war(s)?"},
    {Military2, "Comments", true,
     "Do you have any comments you'd like to share with me about wars?"},
    {Wedding1, "Meet", false,
     "How did you two meet?  How long before you got engaged?  Before you got married?"},
    {Wedding1, "Shower", false, "Did you have a bridal shower?  Who gave it?  What was it like?"},
    {Wedding1, "Where", false, "When and where did you get married?"},
    {Wedding1, "Ceremony", false, "What was your wedding ceremony like?"},
    {Wedding1, "Reception", false, "Did you have a reception?  If yes, what was it like?"},
    {Wedding2, "Size", false, "Were your wedding and reception large or small?"},
    {Wedding2, "Stories", false,
     "Do you remember any funny stories about your wedding and/or reception?"},
    {Wedding2, "Honeymoon", false, "Where did you go on your honeymoon and how long was it?"},
    {Wedding2, "HStories", false, "Do you remember any funny stories about your honeymoon?"},
    {Wedding2, "Advice", true, "Do you have any marital advice for me?"},
    {Children, "MeStories", false,
     "Do you have any funny stories about me before I arrived?  During my arrival?"},
    {Children, "Siblings", false,
     "If applicable, how did my siblings act when I arrived?  Or, how did I act when my siblings "
     "arrived?"},
    {Children, "Stories", true, "Any funny stories to tell about having children in general?"},
    {Travel1, "Countries", false, "What other countries have you been to?"},
    {Travel1, "Like", false, "What did you like about each one?"},
    {Travel1, "NotLike", false, "What didn't you like about each one?"},
    {Travel1, "Here", false, "What is your favorite part of this country?  Why?"},
    {Travel2, "Vacation", false,
     "What was the best vacation you ever took?  What made it special?"},
    {Travel2, "Future", false, "Where would you like to travel to in the future?"},
    {Travel2, "Free", true,
     "If you could go anywhere in the world, for free, where would you go and why?  And/or what "
     "would your dream vacation be?"},
    {Life1, "Change", false, "If you could change anything about your life, what would it be?"},
    {Life1, "Goals", false, "What are some of your goals and/or plans for the future?"},
    {Life1, "Advice", false, "What advice about life can you give me?"},
    {Life2, "Books", false, "What kinds of books and/or magazines do you like to read?"},
    {Life2, "Hobbies", true, "What are your hobbies now?"},
    {Life2, "Learn", false, "Is there anything you'd like to learn how to do?"},
    {Final, "Self", false, "What about yourself would you especially like me to know?"},
    {Final, "Advice", false, "Do you have any advice you've been meaning to give me?"},
    {Final, "Questions", false,
     "What question(s) do you wish I had asked?  What are the answers to these questions?"},
    {Final, "Comments", true, "Any final comments?"},
}};

constexpr std::array<Page, kPageCount> kPages{{
    {Childhood1, ChapterId::Childhood, "frmChildhood1", "Vellumora - Childhood #1"},
    {Childhood2, ChapterId::Childhood, "frmChildhood2", "Vellumora - Childhood #2"},
    {HighSchool1, ChapterId::HighSchool, "frmHighSch1", "Vellumora - High School #1"},
    {HighSchool2, ChapterId::HighSchool, "frmHighSch2", "Vellumora - High School #2"},
    {FirstCar, ChapterId::FirstCar, "frmFirstCar", "Vellumora - First Car"},
    {Volunteering, ChapterId::Volunteering, "frmVolun1", "Vellumora - Volunteering"},
    {Jobs, ChapterId::Jobs, "frmJobs", "Vellumora - Jobs"},
    {College1, ChapterId::College, "frmCollege1", "Vellumora - College #1"},
    {College2, ChapterId::College, "frmCollege2", "Vellumora - College #2"},
    {College3, ChapterId::College, "frmCollege3", "Vellumora - College #3"},
    {Military1, ChapterId::Military, "frmMilitary1", "Vellumora - Military #1"},
    {Military2, ChapterId::Military, "frmMilitary2", "Vellumora - Military #2"},
    {Wedding1, ChapterId::Wedding, "frmWedding1", "Vellumora - Wedding #1"},
    {Wedding2, ChapterId::Wedding, "frmWedding2", "Vellumora - Wedding #2"},
    {Children, ChapterId::Children, "frmKids", "Vellumora - Having Children"},
    {Travel1, ChapterId::Travel, "frmTravel1", "Vellumora - Travel #1"},
    {Travel2, ChapterId::Travel, "frmTravel2", "Vellumora - Travel #2"},
    {Life1, ChapterId::Life, "frmLife1", "Vellumora - Life in General #1"},
    {Life2, ChapterId::Life, "frmLife2", "Vellumora - Life in General #2"},
    {Final, ChapterId::Final, "frmFinal", "Vellumora - Final Thoughts"},
}};

constexpr std::array<Chapter, kChapterCount> kChapters{{
    {ChapterId::Childhood, "Childhood", "&Childhood", "frmChildMain", "Vellumora - Childhood",
     "CHILDHOOD:", 1, 10},
    {ChapterId::HighSchool, "HighSchool", "&High School", "frmHighSchMain",
     "Vellumora - High School", "HIGH SCHOOL:", 11, 8},
    {ChapterId::FirstCar, "FirstCar", "&First Car", "frmCarMain", "Vellumora - First Car",
     "FIRST CAR:", 19, 5},
    {ChapterId::Volunteering, "Volunteering", "&Volunteering", "frmVolunMain",
     "Vellumora - Volunteering", "VOLUNTEERING:", 24, 5},
    {ChapterId::Jobs, "Jobs", "&Jobs", "frmJobsMain", "Vellumora - Jobs", "JOBS:", 29, 5},
    {ChapterId::College, "College", "Colle&ge", "frmCollegeMain", "Vellumora - College",
     "COLLEGE:", 34, 11},
    {ChapterId::Military, "Military", "&Military", "frmMilitaryMain", "Vellumora - Military",
     "MILITARY:", 45, 7},
    {ChapterId::Wedding, "Wedding", "&Wedding", "frmWeddingMain", "Vellumora - Wedding",
     "WEDDING:", 52, 10},
    {ChapterId::Children, "Children", "Having Child&ren", "frmKidsMain", "Vellumora - Having Kids",
     "HAVING CHILDREN:", 62, 3},
    {ChapterId::Travel, "Travel", "&Travel", "frmTravelMain", "Vellumora - Travel",
     "TRAVELING:", 65, 7},
    {ChapterId::Life, "Life", "&Life in General", "frmLifeMain", "Vellumora - Life in General",
     "LIFE IN GENERAL:", 72, 6},
    {ChapterId::Final, "Final", "Fi&nal Thoughts", "frmFinalMain", "Vellumora - Final Thoughts",
     "FINAL COMMENTS:", 78, 4},
}};

// The ids index the tables, so each row must stand at its id's place; a
// chapter's pages and questions follow each other in catalogue order.
constexpr bool tablesAgree() {
    for (int i = 0; i < kChapterCount; ++i)
        if (int(kChapters[std::size_t(i)].id) != i)
            return false;
    for (int i = 0; i < kPageCount; ++i)
        if (int(kPages[std::size_t(i)].id) != i ||
            (i > 0 && kPages[std::size_t(i)].chapter < kPages[std::size_t(i - 1)].chapter))
            return false;
    int position = 1;
    for (const Chapter& chapter : kChapters) {
        if (chapter.firstPosition != position)
            return false;
        for (int n = 0; n < chapter.questionCount; ++n, ++position) {
            const Question& question = kQuestions[std::size_t(position - 1)];
            if (kPages[std::size_t(question.page)].chapter != chapter.id ||
                (position > 1 && question.page < kQuestions[std::size_t(position - 2)].page))
                return false;
        }
    }
    return position == kQuestionCount + 1;
}
static_assert(tablesAgree());

}  // namespace

std::span<const Chapter> chapters() {
    return kChapters;
}

const Chapter& chapter(ChapterId id) {
    return kChapters[std::size_t(id)];
}

std::span<const Page> pages() {
    return kPages;
}

const Page& page(PageId id) {
    return kPages[std::size_t(id)];
}

std::span<const Page> pagesOf(const Chapter& chapter) {
    const auto first = std::ranges::find(kPages, chapter.id, &Page::chapter);
    const auto end = std::find_if(
        first, kPages.end(), [&chapter](const Page& page) { return page.chapter != chapter.id; });
    return {first, end};
}

std::span<const Question> questions() {
    return kQuestions;
}

const Question& question(int position) {
    Q_ASSERT(position >= 1 && position <= kQuestionCount);
    return kQuestions[std::size_t(position - 1)];
}

int positionOf(const Question& question) {
    Q_ASSERT(&question >= kQuestions.data() && &question < kQuestions.data() + kQuestionCount);
    return int(&question - kQuestions.data()) + 1;
}

std::span<const Question> questionsOf(const Chapter& chapter) {
    return questions().subspan(std::size_t(chapter.firstPosition - 1),
                               std::size_t(chapter.questionCount));
}

const Chapter& chapterOf(const Question& question) {
    return chapter(page(question.page).chapter);
}

const Question* findQuestion(ChapterId id, QStringView key) {
    for (const Question& question : questionsOf(chapter(id)))
        if (key == QLatin1StringView(question.key))
            return &question;
    return nullptr;
}

QString slotName(const Question& question) {
    return QLatin1StringView(chapterOf(question).key) + u'.' + QLatin1StringView(question.key);
}

int positionOf(QStringView slot) {
    const qsizetype dot = slot.indexOf(u'.');
    if (dot < 0)
        return 0;
    const QStringView chapterKey = slot.first(dot);
    for (const Chapter& chapter : kChapters)
        if (chapterKey == QLatin1StringView(chapter.key)) {
            const Question* question = findQuestion(chapter.id, slot.sliced(dot + 1));
            return question ? positionOf(*question) : 0;
        }
    return 0;
}

namespace {

QString orDefault(const char* exception, const char* usual) {
    return QString::fromLatin1(exception ? exception : usual);
}

}  // namespace

QString menuControlKey(const Question& question) {
    return orDefault(question.menuKey, question.key);
}

QString pageLabelName(const Question& question) {
    return QStringLiteral("lbl") + orDefault(question.labelKey, question.key);
}

QString menuWording(const Question& question) {
    return orDefault(question.menuWording, question.text);
}

QString pageWording(const Question& question) {
    return orDefault(question.pageWording, question.text);
}

}  // namespace vellumora::catalogue
