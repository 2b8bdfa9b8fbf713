"""Exact polygon geometry over Fractions for building scheme files.

Points are (x, y) tuples of Fractions in the scheme's plane; compositions are dicts
{'CLAY':, 'SILT':, 'SAND':} of Fractions.
"""
from fractions import Fraction as F

COMPS = ('CLAY', 'SILT', 'SAND')


def area2(poly):
    s = F(0)
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        s += x1 * y2 - x2 * y1
    return s


def cross(o, a, b):
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])


def on_segment(p, a, b, tol=F(0)):
    """p on the closed segment a-b; with tol, within tol (distance) of it."""
    if tol == 0:
        if cross(a, b, p) != 0:
            return False
    else:
        # distance^2 from line <= tol^2
        c = cross(a, b, p)
        l2 = (b[0] - a[0]) ** 2 + (b[1] - a[1]) ** 2
        if c * c > tol * tol * l2:
            return False
    t_num = (p[0] - a[0]) * (b[0] - a[0]) + (p[1] - a[1]) * (b[1] - a[1])
    l2 = (b[0] - a[0]) ** 2 + (b[1] - a[1]) ** 2
    return 0 <= t_num <= l2


def param(p, a, b):
    l2 = (b[0] - a[0]) ** 2 + (b[1] - a[1]) ** 2
    return ((p[0] - a[0]) * (b[0] - a[0]) + (p[1] - a[1]) * (b[1] - a[1])) / l2


def locate(poly, p):
    """'on', 'in' or 'out' (exact)."""
    n = len(poly)
    for i in range(n):
        if on_segment(p, poly[i], poly[(i + 1) % n]):
            return 'on'
    inside = False
    x, y = p
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            xi = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if xi > x:
                inside = not inside
    return 'in' if inside else 'out'


def insert_tjunctions(polys, tol):
    """Adds to each polygon every vertex of any polygon that lies inside one of its edges."""
    allv = sorted({v for p in polys for v in p})
    out = []
    added = []
    for pi, poly in enumerate(polys):
        res = []
        n = len(poly)
        for i in range(n):
            a, b = poly[i], poly[(i + 1) % n]
            res.append(a)
            mids = [v for v in allv if v != a and v != b and on_segment(v, a, b, tol)]
            mids.sort(key=lambda v: param(v, a, b))
            res.extend(mids)
            for v in mids:
                added.append((pi, v))
        out.append(res)
    return out, added


def clip_halfplane(poly, f):
    """Sutherland-Hodgman: keeps the part where the linear function f(p) >= 0."""
    res = []
    n = len(poly)
    for i in range(n):
        a, b = poly[i], poly[(i + 1) % n]
        fa, fb = f(a), f(b)
        if fa >= 0:
            res.append(a)
        if (fa > 0 and fb < 0) or (fa < 0 and fb > 0):
            t = fa / (fa - fb)
            res.append((a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])))
    # drop consecutive duplicates
    clean = []
    for p in res:
        if not clean or clean[-1] != p:
            clean.append(p)
    if len(clean) > 1 and clean[0] == clean[-1]:
        clean.pop()
    return remove_spikes(clean)


def remove_spikes(poly):
    """Drops repeated vertices and zero-width spikes (a vertex where the outline turns back
    on itself), which clipping a non-convex polygon can leave."""
    pts = list(poly)
    changed = True
    while changed and len(pts) > 2:
        changed = False
        n = len(pts)
        for i in range(n):
            a, b, c = pts[i - 1], pts[i], pts[(i + 1) % n]
            back = (b[0] - a[0]) * (c[0] - b[0]) + (b[1] - a[1]) * (c[1] - b[1]) < 0
            if b == a or (cross(a, b, c) == 0 and back):
                del pts[i]
                changed = True
                break
    return pts
