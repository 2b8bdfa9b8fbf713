#!/usr/bin/env python3
"""Builds the bundled scheme files (schemes/*.dat) from published vertex tables
(tests/data/reference-triangles), with border rules that give every composition on a shared
edge or corner exactly one class. The schemes and their details text are in schemes.py.

Ownership: a composition P on a boundary belongs to the class that holds
P + e*d1 + e^2*d2 (+ e^3 towards the centre) for an infinitesimal e, where d1 adds the first
priority component (clay) in place of the remainder (sand) and d2 the second (silt); HYPRES
takes clay, then sand, in place of silt. This is the USDA rule: for the USDA polygons it gives
exactly the rules of schemes/usda.dat (--check shows it). An edge's owner also owns the
vertices where only its two classes meet. A class that meets a neighbour on two lines with
different owners is split into two polygons (splits in schemes.py), since a border rule names
a set of classes and can give it only one owner. Geometry is exact (fractions).

Usage:
  schemegen.py [--out FOLDER] [ID ...]   write schemes (default: all, into schemes/)
  schemegen.py --check FILE.dat          rules derived from FILE's polygons vs its [border]
"""
import csv
import math
import os
import sys
from fractions import Fraction as F

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import geom  # noqa: E402
from schemes import SCHEMES, REF  # noqa: E402

HUNDRED = F(100)


def dec(s):
    return F(s.strip())


def fmt(v):
    v = F(v)
    if v.denominator == 1:
        return str(v.numerator)
    # an exact decimal: the denominator is 2^a 5^b, and max(a, b) digits suffice
    d, twos, fives = v.denominator, 0, 0
    while d % 2 == 0:
        d, twos = d // 2, twos + 1
    while d % 5 == 0:
        d, fives = d // 5, fives + 1
    if d != 1:
        raise ValueError('not a decimal: %s' % v)
    k = max(twos, fives)
    sign = '-' if v < 0 else ''
    v = abs(v)
    scaled = v * 10 ** k
    assert scaled.denominator == 1
    digits = str(scaled.numerator).rjust(k + 1, '0')
    s = digits[:-k] + '.' + digits[-k:]
    s = s.rstrip('0').rstrip('.')
    return sign + s


def wrap(text, width=88):
    out, line = [], ''
    for w in text.split():
        if line and len(line) + 1 + len(w) > width:
            out.append(line)
            line = w
        else:
            line = (line + ' ' + w) if line else w
    if line:
        out.append(line)
    return out


def read_table(cfg):
    """Returns ordered list of classes: dict(key, abbr, name, verts=[{CLAY,SILT,SAND}])."""
    path = os.path.join(REF, cfg['csv'])
    rows = list(csv.DictReader(open(path, encoding='utf-8')))
    classes = {}
    order = []
    for r in rows:
        if 'class_index' in r:
            key = int(r['class_index'])
            abbr, name = r['class_abbr'], r['class_name']
            comp = {c: dec(r[c]) for c in geom.COMPS}
            vo = int(r['vertex_order'])
        else:
            low = {k.lower(): v for k, v in r.items()}
            key = low['code']
            abbr = low['code']
            name = low.get('label') or low.get('english_translation')
            comp = {c: dec(low[c.lower()]) for c in geom.COMPS}
            vo = len(classes.get(key, {}).get('verts', []))
        if key not in classes:
            classes[key] = dict(key=key, abbr=abbr, name=name, verts=[])
            order.append(key)
        classes[key]['verts'].append((vo, comp))
    out = []
    for k in order:
        c = classes[k]
        vs = [v for _, v in sorted(c['verts'], key=lambda t: t[0])]
        # drop a repeated closing vertex and consecutive repeats
        clean = []
        for v in vs:
            if not clean or clean[-1] != v:
                clean.append(v)
        if len(clean) > 1 and clean[0] == clean[-1]:
            clean.pop()
        c['verts'] = clean
        out.append(c)
    return out


class Scheme:
    def __init__(self, sid, cfg):
        self.sid = sid
        self.cfg = cfg
        self.axes = cfg['axes']  # components shown as x, y, z
        self.warnings = []

    def xy(self, comp):
        return (comp[self.axes[0]], comp[self.axes[1]])

    def comp(self, p):
        return {self.axes[0]: p[0], self.axes[1]: p[1], self.axes[2]: HUNDRED - p[0] - p[1]}

    def dir(self, plus, minus):
        d = {c: F(0) for c in geom.COMPS}
        d[plus] += 1
        d[minus] -= 1
        return (d[self.axes[0]], d[self.axes[1]])

    def build(self):
        cfg = self.cfg
        table = read_table(cfg)
        self.classes = []
        for i, c in enumerate(table):
            pts = [self.xy(v) for v in c['verts']]
            for v in c['verts']:
                s = sum(v.values())
                if s != 100:
                    self.warnings.append('vertex of %s sums to %s' % (c['abbr'], fmt(s)))
            if cfg.get('unordered'):
                cx = sum(p[0] for p in pts) / len(pts)
                cy = sum(p[1] for p in pts) / len(pts)
                pts.sort(key=lambda p: math.atan2(float(p[1] - cy), float(p[0] - cx)))
            drop = [self.xy({k: F(v) for k, v in d.items()})
                    for d in cfg.get('drop', {}).get(c['abbr'], [])]
            for d in drop:
                pts.remove(d)
            abbr = cfg.get('abbr', {}).get(c['abbr'], c['abbr'])
            abbr = cfg.get('abbr_by_index', {}).get(i + 1, abbr)
            name = cfg['names'].get(c['abbr'], c['name'])
            name = cfg.get('names_by_index', {}).get(i + 1, name)
            self.classes.append(dict(id=i + 1, abbr=abbr, ref=c['abbr'], name=name, poly=pts))
        for abbr, after, new in cfg.get('inserts', []):
            c = next(c for c in self.classes if c['ref'] == abbr)
            a = self.xy({k: F(v) for k, v in after.items()})
            c['poly'].insert(c['poly'].index(a) + 1, self.xy({k: F(v) for k, v in new.items()}))
        for fix in cfg.get('moves', []):
            self.move_vertex(*fix)
        nextid = len(self.classes) + 1
        self.split_notes = []
        for (abbr, comp, value) in cfg.get('splits', []):
            c = next(c for c in self.classes if c['ref'] == abbr and c['id'] <= len(table))
            v = F(value)
            upper = geom.clip_halfplane(c['poly'], lambda p: self.comp(p)[comp] - v)
            lower = geom.clip_halfplane(c['poly'], lambda p: v - self.comp(p)[comp])
            c['poly'] = upper
            self.split_notes.append(
                '%s is stored as two polygons, ids %d (%s %s %% and more) and %d, because it '
                'meets a neighbour on two lines with different owners'
                % (c['name'], c['id'], comp.lower(), value, nextid))
            self.classes.append(dict(id=nextid, abbr=c['abbr'], ref=c['ref'], name=c['name'],
                                     poly=lower))
            nextid += 1
        tol = F(cfg.get('tolerance', 0))
        polys, added = geom.insert_tjunctions([c['poly'] for c in self.classes], tol)
        for (pi, v) in added:
            self.warnings.append('vertex %s %s added to %s' % (fmt(v[0]), fmt(v[1]),
                                                               self.classes[pi]['abbr']))
        for c, p in zip(self.classes, polys):
            c['poly'] = p
        total = sum(abs(geom.area2(c['poly'])) for c in self.classes) / 2
        if total != 5000:
            self.warnings.append('AREA %s' % float(total))
        self.total = total

    def move_vertex(self, old, new):
        """Replaces a published vertex (given as composition strings) everywhere."""
        o = self.xy({k: F(v) for k, v in old.items()})
        n = self.xy({k: F(v) for k, v in new.items()})
        hit = False
        for c in self.classes:
            c['poly'] = [n if p == o else p for p in c['poly']]
            hit = hit or n in c['poly']
        if not hit:
            raise ValueError('%s: no vertex %s' % (self.sid, old))

    def candidates(self, p):
        return tuple(i for i, c in enumerate(self.classes) if geom.locate(c['poly'], p) != 'out')

    def owner(self, p):
        prio = self.cfg.get('priority', ('CLAY', 'SILT'))
        rem = next(c for c in geom.COMPS if c not in prio)
        comp = self.comp(p)
        if comp[rem] > 0:
            d1, d2 = self.dir(prio[0], rem), self.dir(prio[1], rem)
        else:
            d1, d2 = self.dir(prio[0], prio[1]), self.dir(rem, prio[1])
        e1, e2, e3 = F(1, 10 ** 9), F(1, 10 ** 18), F(1, 10 ** 27)
        c = (HUNDRED / 3, HUNDRED / 3)
        q = (p[0] + e1 * d1[0] + e2 * d2[0] + e3 * (c[0] - p[0]),
             p[1] + e1 * d1[1] + e2 * d2[1] + e3 * (c[1] - p[1]))
        if min(self.comp(q).values()) < 0:
            q = (p[0] + e1 * (c[0] - p[0]), p[1] + e1 * (c[1] - p[1]))
        inside = [i for i, cl in enumerate(self.classes) if geom.locate(cl['poly'], q) == 'in']
        if len(inside) != 1:
            raise RuntimeError('%s: %s owners at %s' % (self.sid, len(inside), p))
        return inside[0]

    def rules(self):
        """(ids, owner) per candidate set. An edge's owner also owns the vertices where only
        its two classes meet (at the side of the triangle the perturbation cannot follow
        the edge's rule); a set met on two edges with different owners is a conflict."""
        edge_pts, vert_pts = set(), set()
        for c in self.classes:
            poly = c['poly']
            n = len(poly)
            for i in range(n):
                a, b = poly[i], poly[(i + 1) % n]
                vert_pts.add(a)
                edge_pts.add(((a[0] + b[0]) / 2, (a[1] + b[1]) / 2))
        edges, verts = {}, {}
        for pts, into in ((edge_pts, edges), (vert_pts, verts)):
            for p in sorted(pts):
                cand = self.candidates(p)
                if len(cand) < 2:
                    continue
                ids = tuple(sorted(self.classes[i]['id'] for i in cand))
                own = self.classes[self.owner(p)]['id']
                into.setdefault(ids, {}).setdefault(own, []).append(p)
        overrides = self.cfg.get('overrides', {})
        out = []
        self.conflicts = []
        for ids in sorted(set(edges) | set(verts)):
            owners = edges.get(ids) or verts[ids]
            abbrs = frozenset(self.by_id(i)['abbr'] for i in ids)
            if abbrs in overrides:
                win = [c['id'] for c in self.classes if c['id'] in ids and
                       c['abbr'] == overrides[abbrs]]
                out.append((ids, win[0]))
                continue
            if len(owners) > 1:
                self.conflicts.append((ids, {k: [(fmt(a), fmt(b)) for a, b in v[:3]]
                                             for k, v in owners.items()}))
            out.append((ids, next(iter(owners))))
        out.sort(key=lambda r: (len(r[0]), r[0]))
        return out

    def by_id(self, i):
        return next(c for c in self.classes if c['id'] == i)

    def text(self):
        cfg = self.cfg
        lines = []
        lines += wrap(cfg['about'] + ' ' + cfg.get('note', ''))
        lines.append('')
        meta = [('name', cfg['name']), ('country', cfg['country']), ('source', cfg['source']),
                ('vertices', '; '.join([cfg['vertices']] + self.split_notes)), ('limits', cfg['limits']),
                ('abbreviations', ' '.join('%d=%s' % (c['id'], c['abbr'])
                                           for c in self.classes)),
                ('boundaries', cfg['boundaries'])]
        for k, v in meta:
            if v is None:
                continue
            lines.append('%s: %s' % (k, v))
        lines.append('[texture]')
        lines.append(cfg['name'])
        for a in self.axes:
            lines.append(a.capitalize())
        lines.append('')
        for c in self.classes:
            lines.append(c['name'])
            lines.append(str(c['id']))
            for p in c['poly']:
                lines.append('%s %s' % (fmt(p[0]), fmt(p[1])))
            lines.append('#')
        lines.append('[border]')
        for ids, own in self.rules():
            lines.append('%s = %d' % (' '.join(str(i) for i in ids), own))
            lines.append('#')
        return '\r\n'.join(lines) + '\r\n'


def read_scheme_file(path):
    """The axes, classes and border rules of a scheme file (for --check)."""
    text = open(path, encoding='utf-8').read().replace('\r\n', '\n')
    body, _, border = text[text.index('[texture]'):].partition('[border]')
    lines = [line for line in body.split('\n')[1:] if line.strip()]
    axes = tuple(a.upper() for a in lines[1:4])
    classes, i = [], 4
    while i < len(lines):
        name, cid = lines[i], int(lines[i + 1])
        i += 2
        poly = []
        while lines[i] != '#':
            x, y = lines[i].split()
            poly.append((F(x), F(y)))
            i += 1
        i += 1
        classes.append(dict(id=cid, abbr=str(cid), name=name, poly=poly))
    rules = set()
    for rule in border.split('#'):
        if '=' in rule:
            ids, keep = rule.split('=')
            rules.add((tuple(sorted(int(v) for v in ids.split())), int(keep)))
    return axes, classes, rules


def check(path):
    axes, classes, rules = read_scheme_file(path)
    s = Scheme(os.path.basename(path), dict(axes=axes))
    s.classes = classes
    mine = set(s.rules())
    for ids, owners in s.conflicts:
        print('conflict %s -> %s' % (ids, owners))
    for r in sorted(mine - rules):
        print('derived, not in the file: %s = %d' % (' '.join(map(str, r[0])), r[1]))
    for r in sorted(rules - mine):
        print('in the file, not derived: %s = %d' % (' '.join(map(str, r[0])), r[1]))
    return 0 if mine == rules and not s.conflicts else 1


def main():
    args = sys.argv[1:]
    if args[:1] == ['--check']:
        return check(args[1])
    outdir = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'schemes')
    if args[:1] == ['--out']:
        outdir, args = args[1], args[2:]
    bad = False
    for sid in args or list(SCHEMES):
        s = Scheme(sid, SCHEMES[sid])
        s.build()
        text = s.text()
        for w in s.warnings:
            print('%s: %s' % (sid, w))
        for ids, owners in s.conflicts:
            bad = True
            print('%s: conflict %s -> %s' % (sid, ids, owners))
        with open(os.path.join(outdir, sid + '.dat'), 'w', encoding='utf-8', newline='') as f:
            f.write(text)
        print('%s: %d classes, %d rules' % (sid, len(s.classes), len(s.rules())))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
