// How long the program takes to start and quit, against an empty Qt program
// on the same machine: both are run in turn, each in a fresh home folder,
// and the medians are compared.
//   bench_startup [runs]   (default 30; QT_QPA_PLATFORM defaults to offscreen)

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

/// One start and quit in milliseconds, or a negative number if it failed.
double timeOneRun(const QString& program) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        environment.remove(QString::fromLatin1(name));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const QString vellumora = QStringLiteral(STARTUP_VELLUMORA);
    const QString emptyQt = QStringLiteral(STARTUP_EMPTYQT);
    // The first run of each fills the system's caches; it is not counted.
    timeOneRun(vellumora);
    timeOneRun(emptyQt);
    std::vector<double> ours, empty;
    for (int run = 0; run < runs; ++run) {
        const double a = timeOneRun(vellumora), b = timeOneRun(emptyQt);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "A run failed.\n");
            return 1;
        }
        ours.push_back(a);
        empty.push_back(b);
    }
    const double oursMedian = median(ours), emptyMedian = median(empty);
    std::printf("runs %d\nvellumora  median %.1f ms (min %.1f)\nempty Qt   median %.1f ms (min %.1f)\n"
                "ratio      %.2f\n",
                runs, oursMedian, *std::min_element(ours.begin(), ours.end()), emptyMedian,
                *std::min_element(empty.begin(), empty.end()), oursMedian / emptyMedian);
    return 0;
}
