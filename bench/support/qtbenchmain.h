#pragma once

// The main of a benchmark that needs Qt: headless on the offscreen platform
// unless another one is chosen, one application object of the kind the
// benchmark needs, then Google Benchmark's own steps.

#include <benchmark/benchmark.h>
#include <QtGlobal>

namespace vellumora::bench {

template <class Application>
int runQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace vellumora::bench
