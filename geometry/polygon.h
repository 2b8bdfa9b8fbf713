#pragma once

#include "geometry/point.h"
#include "geometry/pointlocation.h"

#include <vector>

// The clipper's polygon form, known only to geometry/clipperadapter.h.
struct ClipPaths;

// Operation codes of polygon::Clip.
enum ClipOperation : int {
    ClipDifference = 0,
    ClipIntersection = 1,
    ClipExclusiveOr = 2,
    ClipUnion = 3,
};

// A planar polygon, closed implicitly (the last vertex joins the first, which is not repeated).
// Vertex order is free; nothing is enforced on the vertices. Failures are standard exceptions
// whose message names the operation ("polygon::Area"); a failed operation changes nothing.
class polygon {
public:
    polygon() = default;
    polygon(const polygon&) = default;
    polygon& operator=(const polygon&) = default;
    polygon(polygon&&) noexcept = default;
    polygon& operator=(polygon&&) noexcept = default;

    // Writes this polygon into *g as one outer contour, replacing what g held.
    // Throws std::invalid_argument "polygon::ToGPC" when g is null, std::domain_error
    // "polygon::ToGPC" when a coordinate is beyond the clipper's range.
    virtual void ToGPC(ClipPaths* g) const;
    // Replaces the vertices by the first contour of *g (none: empty polygon).
    // Throws std::invalid_argument "polygon::FromGPC" when g is null.
    virtual void FromGPC(const ClipPaths* g);
    virtual ~polygon() = default;
    // At least 3 vertices and a non-zero Orientation. Never throws.
    virtual bool IsValid() const;

    void Add(double x, double y);
    void Clear();
    int Size() const;
    // Vertex i; an index past the end first grows the polygon with (0, 0) vertices.
    // Throws std::out_of_range "polygon::operator[]" for a negative index.
    point& operator[](int i);
    // Throws std::out_of_range "invalid vector<T> subscript" when i is not below Size().
    point Vertex(unsigned i) const;
    const std::vector<point>& Vertices() const { return mVertices; }

    // The boolean operation op (ClipOperation) of this polygon with other, even-odd filling.
    // The result is the first contour in canonical order: counter-clockwise, starting at its
    // lowest vertex (lowest x among equals), contours ordered by that vertex. Empty when the
    // operation gives nothing. Throws std::domain_error "polygon::Clip" for a coordinate beyond
    // the clipper's range and std::invalid_argument "polygon::Clip" for an unknown op.
    polygon Clip(const polygon& other, int op) const;
    polygon Intersect(const polygon& other) const;
    // True when every coordinate is finite and within +/-ClipLimit(), so that Clip and Intersect
    // take the polygon.
    bool InClipRange() const;
    // The largest magnitude of a coordinate that the clipper takes (4e11).
    static double ClipLimit();

    // 1 counter-clockwise (y up), -1 clockwise, 0 degenerate, judged at the lowest vertex
    // (largest x among equal y). Throws std::domain_error "polygon::Orientation" below 3 vertices.
    int Orientation() const;
    // Enclosed area, never negative. Throws std::domain_error "polygon::Area" below 3 vertices.
    double Area() const;
    // Location of (x, y); within 1e-6 of a vertex in both coordinates is OnVertex, otherwise
    // closer than 1e-6 to an edge is OnEdge.
    // Throws std::domain_error "polygon::Find" below 3 vertices.
    PointLocation Find(double x, double y) const;
    // Centre of area, the same for either vertex order; the mean of the vertices when the area
    // is zero. Throws std::domain_error "polygon::Centroid" below 3 vertices.
    point Centroid() const;

private:
    std::vector<point> mVertices;
};
