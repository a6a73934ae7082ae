#pragma once

#include <QStringList>
#include <cstdio>

#include "progress.h"

// Progress on the command line: with --progress among the arguments (which it removes), each
// new percentage goes to standard error as "NN%"; without it, nothing is printed.
class StderrProgress : public Progress {
public:
    explicit StderrProgress(QStringList& arguments)
        : on_(arguments.removeAll(QStringLiteral("--progress")) > 0) {}

    bool enabled() const { return on_; }
    // The progress to pass on: null when nobody asked to see it.
    Progress* get() { return on_ ? this : nullptr; }

    bool advance(qint64 done, qint64 total) override {
        const int percent = total > 0 ? int(done * 100 / total) : 0;
        if (percent != percent_) {
            percent_ = percent;
            std::fprintf(stderr, "%d%%\n", percent);
        }
        return true;
    }

private:
    bool on_;
    int percent_ = -1;
};
