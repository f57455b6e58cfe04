#pragma once

// A piece of work timed against a baseline, the two interleaved: each round
// runs the work, then the baseline, back to back, so that both meet the same
// load of the machine. The ratio is the median of the rounds' ratios, so that
// a round that the machine interrupted does not move it.

#include <algorithm>
#include <chrono>
#include <vector>

// The ratios of one time to another, one a round, and their median.
class RoundRatios
{
public:
    // A round whose baseline took no measurable time is left out.
    void Add(double workSeconds, double baselineSeconds)
    {
        if (baselineSeconds > 0.0)
        {
            m_Ratios.push_back(workSeconds / baselineSeconds);
        }
    }

    // The median of the ratios; 0 before the first round.
    double Median()
    {
        if (m_Ratios.empty())
        {
            return 0.0;
        }
        auto middle = m_Ratios.begin() + static_cast<std::ptrdiff_t>(m_Ratios.size() / 2);
        std::nth_element(m_Ratios.begin(), middle, m_Ratios.end());
        return *middle;
    }

private:
    std::vector<double> m_Ratios;
};

class PairedTiming
{
public:
    // One round: the seconds of the work (for the benchmark's manual time).
    template <class Work, class Baseline> double Round(Work&& work, Baseline&& baseline)
    {
        const Clock::time_point start = Clock::now();
        work();
        const Clock::time_point middle = Clock::now();
        baseline();
        const Clock::time_point end = Clock::now();
        const double workSeconds = std::chrono::duration<double>(middle - start).count();
        m_Ratios.Add(workSeconds, std::chrono::duration<double>(end - middle).count());
        return workSeconds;
    }

    // The median of the rounds' ratios of work to baseline; 0 before the first round.
    double MedianRatio() { return m_Ratios.Median(); }

private:
    using Clock = std::chrono::steady_clock;
    RoundRatios m_Ratios;
};
