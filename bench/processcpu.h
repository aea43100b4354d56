#ifndef BENCH_PROCESSCPU_H
#define BENCH_PROCESSCPU_H

// The whole process's CPU time (every thread, ended ones included) for benchmarks whose
// work may run on other threads: Google Benchmark's CPU column counts only the thread
// that runs the loop, so work spread over worker threads would not show there.

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>
#include <sys/resource.h>

namespace benchcpu {

// CPU seconds of this process so far, all threads.
inline double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// CPU seconds of the calling thread so far.
inline double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// CPU seconds of the child processes that have ended and been waited for.
inline double childrenCpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

inline double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Measures from construction to report() and puts beside the benchmark's own columns:
//   proc_cpu_ms  process CPU per item, all threads (the figure goals are judged on)
//   wall_ms      wall time per item
//   cores        proc_cpu_ms / wall_ms, how many cores the work kept busy
// Items are the loop's iterations unless report() is given a count. Construct it just
// before the timed loop: set-up done earlier is not counted, but work done while the
// timing is paused is.
class ProcessCpuMeter
{
public:
    explicit ProcessCpuMeter(benchmark::State& state) : m_state(state) { restart(); }
    ~ProcessCpuMeter()
    {
        if (!m_reported)
            report();
    }
    ProcessCpuMeter(const ProcessCpuMeter&) = delete;
    ProcessCpuMeter& operator=(const ProcessCpuMeter&) = delete;

    // Starts the measurement again, e.g. once warm-up frames have passed.
    void restart()
    {
        m_cpu = processCpuSeconds();
        m_wall = wallSeconds();
    }
    // Process CPU milliseconds since the start.
    double cpuMs() const { return (processCpuSeconds() - m_cpu) * 1e3; }
    // Work inside the loop that is not the item's (a reference run interleaved with it,
    // so both see the same load) is left out of the figures.
    void leaveOut(double cpuMs, double wallMs)
    {
        m_leftOutCpuMs += cpuMs;
        m_leftOutWallMs += wallMs;
    }

    void report() { report(double(m_state.iterations())); }
    void report(double items)
    {
        const double cpu = cpuMs() - m_leftOutCpuMs;
        const double wall = (wallSeconds() - m_wall) * 1e3 - m_leftOutWallMs;
        m_reported = true;
        if (items <= 0)
            return;
        m_state.counters["proc_cpu_ms"] = cpu / items;
        m_state.counters["wall_ms"] = wall / items;
        m_state.counters["cores"] = wall > 0 ? cpu / wall : 0.0;
    }

private:
    benchmark::State& m_state;
    double m_cpu = 0;
    double m_wall = 0;
    double m_leftOutCpuMs = 0;
    double m_leftOutWallMs = 0;
    bool m_reported = false;
};

// A single-threaded reference (a bare decode, a bare draw) run between the items of a
// benchmark, so that the ratio to it holds however loaded the machine is at the moment:
// each run() is paused out of the benchmark's timing and left out of the meter's figures,
// and its own thread's CPU is summed. report() adds "x_<name>": process CPU per item
// over the reference's CPU per run.
class InterleavedReference
{
public:
    InterleavedReference(benchmark::State& state, ProcessCpuMeter& meter, const char* name)
        : m_state(state), m_meter(meter), m_name(std::string("x_") + name) {}

    template <class Work>
    void run(Work&& work)
    {
        m_state.PauseTiming();
        const double wall = wallSeconds();
        const double cpu = threadCpuSeconds();
        work();
        const double cpuMs = (threadCpuSeconds() - cpu) * 1e3;
        m_meter.leaveOut(cpuMs, (wallSeconds() - wall) * 1e3);
        m_cpuMs += cpuMs;
        ++m_runs;
        m_state.ResumeTiming();
    }
    void report()
    {
        m_meter.report();
        if (m_runs > 0 && m_cpuMs > 0)
            m_state.counters[m_name] = m_state.counters["proc_cpu_ms"] / (m_cpuMs / m_runs);
    }

private:
    benchmark::State& m_state;
    ProcessCpuMeter& m_meter;
    std::string m_name;
    double m_cpuMs = 0;
    long m_runs = 0;
};

} // namespace benchcpu

#endif
