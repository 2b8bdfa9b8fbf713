#pragma once

#include "geometry/polygon.h"
#include "scheme/textureclass.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// A coordinate word of a scheme file that is not wholly a number ("1O0", "NaN"). It is read as
// NaN, so the scheme is not valid (unless it was an x without its y, which the format drops);
// this says where it was.
struct SchemeWordProblem {
    std::size_t line; // 1 for the stream's first line
    std::string word;
    std::size_t classIndex; // the class it belongs to
};

// One soil-texture classification scheme: its name, the names of the three axes, the texture
// classes as regions of the triangle x >= 0, y >= 0, x + y <= 100, and the border rules. Copies
// are deep. Errors are standard exceptions whose message names the operation
// ("soiltex::LoadScheme"); the lookups report none and give an empty result instead.
class soiltex {
public:
    soiltex();
    soiltex(const soiltex&) = default;
    soiltex& operator=(const soiltex&) = default;
    soiltex(soiltex&&) noexcept = default;
    soiltex& operator=(soiltex&&) noexcept = default;
    virtual ~soiltex() = default;

    // Replaces the content with the scheme read from the stream's current position (scheme file
    // format; LF or CR LF line ends). Does not validate: ask IsValidScheme next.
    // Throws std::ios_base::failure "soiltex::LoadScheme" for a stream failed on entry and
    // std::domain_error "soiltex::LoadScheme" when no word "[texture]" comes; both leave the
    // scheme unchanged. A stream that ends early ends the load without error. A coordinate word
    // that is not wholly a number reads as NaN (so the scheme is not valid).
    virtual void LoadScheme(std::iostream& in);
    // LoadScheme, listing in *problems (cleared first; may be null) the coordinate words that are
    // not numbers, of the classes that were read.
    void LoadScheme(std::iostream& in, std::vector<SchemeWordProblem>* problems);
    // Writes the scheme in canonical layout with CR LF line ends and the stream's own number
    // formatting. Throws std::ios_base::failure "soiltex::SaveScheme" for a stream failed on
    // entry (nothing written) or one that fails while writing.
    virtual void SaveScheme(std::iostream& out) const;
    // At least one class, every coordinate a number within the clipper's range (so that no
    // lookup can fail on it), no two regions overlapping, areas adding up to 5000 within 1e-6.
    // Throws std::domain_error "polygon::Area" for a region of fewer than 3 vertices (unless an
    // overlap or a coordinate out of range comes first).
    virtual bool IsValidScheme() const;
    // The classes holding the composition (x, y, z in percent; a negative value is missing, at
    // most one may be), after the border rules. Empty for unusable input or an invalid scheme.
    virtual std::vector<TextureClass> PointLookup(double x, double y, double z) const;
    // The classes, one per name, that the range polygon of the six limits overlaps.
    virtual std::vector<TextureClass> RangeLookup(double xmin, double xmax, double ymin,
                                                  double ymax, double zmin, double zmax) const;

    // The compositions allowed by the six limits, in the (x, y) plane; empty when a pair of
    // limits is not in order or not within 0 to 100, when they cannot be met together, or when
    // the scheme is not valid.
    polygon RangePolygon(double xmin, double xmax, double ymin, double ymax, double zmin,
                         double zmax) const;
    // Applies the first border rule whose class ids are exactly the candidates' ids.
    // Throws std::invalid_argument "soiltex::AdjustForBorder" for a null pointer.
    void AdjustForBorder(std::vector<TextureClass>* classes) const;
    // Keeps the first record of each name, in order.
    // Throws std::invalid_argument "soiltex::RemoveCopies" for a null pointer.
    static void RemoveCopies(std::vector<TextureClass>* classes);

    // Completes one missing (negative) component as 100 minus the other two and tests that the
    // sum is 100 and each value within 0 to 100 (tolerance 1e-6). False for unusable input.
    static bool AcceptComposition(double* x, double* y, double* z);
    // Indices into the classes of those holding (x, y), after the border rules; the scheme must
    // be valid (not checked here). Fills *indices, which it clears first.
    void LocateClasses(double x, double y, std::vector<int>* indices) const;
    // AdjustForBorder on indices into the classes (in their order), for callers that locate the
    // point themselves.
    void ApplyBorderRules(std::vector<int>* indices) const;
    // IsValidScheme, with an exception counting as not valid.
    bool IsUsable() const;
    // Why IsUsable is false, in a few words ("Low (1) and High (2) overlap"); empty when the
    // scheme is valid. Never throws.
    std::string InvalidityReason() const;

    void Clear();
    std::string GetName() const { return mName; }
    std::string GetXName() const { return mXName; }
    std::string GetYName() const { return mYName; }
    std::string GetZName() const { return mZName; }
    int32_t GetClassCount() const { return int32_t(mClasses.size()); }
    // Throws std::out_of_range "invalid vector<T> subscript" for an index outside the classes.
    TextureClass GetClass(int32_t index) const;
    const std::vector<TextureClass>& Classes() const { return mClasses; }
    const std::vector<BorderRule>& Borders() const { return mBorders; }

private:
    // IsValidScheme, which also says why not in *reason when it is not null.
    bool Validate(std::string* reason) const;

    std::string mName;
    std::string mXName;
    std::string mYName;
    std::string mZName;
    std::vector<TextureClass> mClasses;
    std::vector<BorderRule> mBorders;
};
