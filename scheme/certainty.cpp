#include "scheme/certainty.h"

#include <algorithm>

Certainty::Certainty(const soiltex& scheme, LabError error)
    : mClassify(scheme, SchemeCheck::AlreadyDone), mShares(scheme, error), mDistance(scheme) {}

bool Certainty::Compute(double x, double y, double z, CertaintyReport* report) {
    report->ranked.clear();
    report->own = -1;
    report->nearest = {0, -1};
    const std::vector<int>& classes = mClassify.Classify(x, y, z);
    if (classes.empty() || !soiltex::AcceptComposition(&x, &y, &z)) {
        report->shares.assign(Names().names.size(), 0.0);
        return false;
    }
    report->own = Names().ofRecord[std::size_t(classes.front())];
    mShares.Compute(x, y, &report->shares);
    report->nearest = mDistance.From(x, y, report->own);
    for (std::size_t k = 0; k < report->shares.size(); ++k) {
        // What would print as 0.000000 is no candidate worth naming.
        if (report->shares[k] >= 5e-7)
            report->ranked.push_back(int(k));
    }
    std::stable_sort(report->ranked.begin(), report->ranked.end(), [report](int a, int b) {
        return report->shares[std::size_t(a)] > report->shares[std::size_t(b)];
    });
    return true;
}
