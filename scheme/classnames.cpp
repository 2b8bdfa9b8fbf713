#include "scheme/classnames.h"

#include <algorithm>

ClassNames::ClassNames(const soiltex& scheme) {
    for (const TextureClass& c : scheme.Classes()) {
        const auto found = std::find(names.begin(), names.end(), c.name);
        ofRecord.push_back(int(found - names.begin()));
        if (found == names.end())
            names.push_back(c.name);
    }
}
