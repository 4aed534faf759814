// What the timed programs share: a notifier that shows nothing and answers
// No, and the median of a set of timings.
#pragma once

#include "platform/Notifier.h"

#include <algorithm>
#include <string>
#include <vector>

class QuietNotifier : public Notifier {
public:
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    Answer Question(const std::string&, QuestionButtons, const std::string&, MessageIcon) override
    {
        return Answer::No;
    }
};

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
