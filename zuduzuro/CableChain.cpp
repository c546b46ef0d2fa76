#include "zuduzuro/CableChain.h"

#include "zuduzuro/RootFinding.h"

#include <algorithm>
#include <cmath>

namespace cablechain
{
namespace
{
// A height this far from the seabed means the trial cable ran off (a horizontal tension far too
// small for the span): the walk stops there, which keeps every figure finite.
constexpr double kRunaway = 1e150;
// Doublings of a bracket before the search for it gives up.
constexpr int kBracketDoublings = 200;
// Steps of one walk at most: each section needs one or two, a run cut short by the guard
// against overflow a few more.
constexpr int kWalkPasses = 64;

// A point on the cable as the walk from support 2 reaches it: horizontal distance from support 2
// (m), height above the seabed (m), and V, the vertical force of the cable there, positive while
// the cable goes down in the walk's direction (kgf).
struct StateDef
{
    double x = 0.0;
    double y = 0.0;
    double V = 0.0;
};

// One step of `length` m of cable of weight w under horizontal tension H. Written with sums
// rather than differences of the tensions so that a nearly straight (taut or weightless) stretch
// loses nothing to cancellation.
void Step(double H, double w, double length, StateDef& s)
{
    const double vs = s.V;
    const double ts = std::hypot(H, vs);
    if (w == 0.0)
    {
        s.x += length * H / ts;
        s.y -= length * vs / ts;
        return;
    }
    const double ve = vs - w * length;
    const double te = std::hypot(H, ve);
    s.y -= length * (vs + ve) / (ts + te);
    // asinh(vs/H) − asinh(ve/H) = asinh(w·length·k/(ts + te)), with k free of cancellation.
    double k;
    if (vs * ve > 0.0)
        k = 1.0 + (vs * vs + ve * ve + H * H) / (ts * te + vs * ve);
    else
        k = (H * H + ts * te - vs * ve) / (H * H);
    s.x += (H / w) * std::asinh(w * length * k / (ts + te));
    s.V = ve;
}

// The cable needed for the walk to run `dx` m further horizontally from `s` (m).
double LengthForRun(double H, double w, double dx, const StateDef& s)
{
    const double ts = std::hypot(H, s.V);
    if (w == 0.0)
        return dx * ts / H;
    // V after the run: V·cosh β − T·sinh β with β = w·dx/H, held where it would overflow.
    const double beta = std::min(w * dx / H, 300.0);
    const double gap = s.V > 0.0 ? H * H / (ts + s.V) : ts - s.V; // T − V, without cancellation
    const double ve = -gap * std::cosh(beta) + ts * std::exp(-beta);
    return (s.V - ve) / w;
}

// The make-up walked from support 2: each section in turn, with an optional stretch lying on
// the seabed where the cable first comes down to V = 0 (there it touches the seabed).
struct WalkDef
{
    const MakeUpDef* MakeUp = nullptr;
    double H = 0.0;
    double Height2 = 0.0;
    double V2 = 0.0;
    double Lie = -1.0;            // metres lying where V first reaches 0; below 0: none
    double Distance = -1.0;       // walk this far horizontally; below 0: the whole make-up
    StretchDef* Record = nullptr; // when given, the stretches walked, in the walk's own terms
    int* pRecorded = nullptr;

    // Results.
    StateDef End;
    double Arc = 0.0;
    bool bBottom = false; // V came down to 0 inside the walk: the lowest point, or the touchdown
    StateDef Bottom;
    double BottomArc = 0.0;
    double LiftX = 0.0, LiftArc = 0.0;           // where the lying stretch ends
    double WeighedBefore = 0.0, ArcBefore = 0.0; // w·length and length from support 2 to the bottom
    double WeighedAfter = 0.0, ArcAfter = 0.0;   // ... from the bottom or lift-off to the end
    bool bRunaway = false;
};

// Keeps one stretch as walked: From/To as distances from support 2, the heights at both ends,
// V at the end nearer support 1 and the stretch's weight, turned into support 1's terms later.
void Note(WalkDef& walk, int kind, const StateDef& from, const StateDef& to, double weight)
{
    if (!walk.Record || *walk.pRecorded >= kMaxStretches)
        return;
    StretchDef& s = walk.Record[(*walk.pRecorded)++];
    s.nKind = kind;
    s.From = from.x;
    s.To = to.x;
    s.Height = to.y;
    s.ToHeight = from.y;
    s.Slope = to.V;
    s.A = weight;
}

void Walk(WalkDef& walk)
{
    const MakeUpDef& m = *walk.MakeUp;
    const double H = walk.H;
    const bool byDistance = walk.Distance >= 0.0;
    bool pendingLie = walk.Lie >= 0.0;
    bool beforeBottom = true;
    StateDef s;
    s.y = walk.Height2;
    s.V = walk.V2;
    double arc = 0.0;
    int k = 0;
    double used = 0.0;

    const auto reachBottom = [&]() {
        walk.bBottom = true;
        walk.Bottom = s;
        walk.BottomArc = arc;
        beforeBottom = false;
    };
    // Lies on the seabed: the make-up runs on along it with V = 0.
    const auto lie = [&]() {
        pendingLie = false;
        double length = walk.Lie;
        if (byDistance)
            length = std::min(length, walk.Distance - s.x);
        double left = std::max(0.0, length);
        while (left > 0.0 && k < m.nPieces)
        {
            const double take = std::min(m.Piece[k].Length - used, left);
            used += take;
            left -= take;
            if (used >= m.Piece[k].Length)
            {
                ++k;
                used = 0.0;
            }
        }
        const StateDef from = s;
        const double laid = std::max(0.0, length) - left;
        s.x += laid;
        s.y = 0.0;
        s.V = 0.0;
        arc += laid;
        Note(walk, STRETCH_LEVEL, from, s, 0.0);
        walk.LiftX = s.x;
        walk.LiftArc = arc;
    };

    if (s.V <= 0.0)
    {
        // Rising from support 2 at once: support 2 is the lowest point, or the touchdown of a
        // cable lying from an anchor on the seabed.
        if (pendingLie)
        {
            reachBottom();
            lie();
        }
        else
        {
            beforeBottom = false;
        }
    }
    for (int pass = 0; pass < kWalkPasses && k < m.nPieces && !(byDistance && s.x >= walk.Distance); ++pass)
    {
        const PieceDef& piece = m.Piece[k];
        const double w = piece.Weight;
        double length = piece.Length - used;
        bool toBottom = false;
        bool toDistance = false;
        if (byDistance)
        {
            StateDef trial = s;
            if (std::isfinite(length))
                Step(H, w, length, trial);
            if (!std::isfinite(length) || trial.x >= walk.Distance)
            {
                length = std::min(length, LengthForRun(H, w, walk.Distance - s.x, s));
                toDistance = true;
            }
        }
        if (!walk.bBottom && w > 0.0 && s.V > 0.0 && s.V / w <= length)
        {
            length = s.V / w;
            toBottom = true;
            toDistance = false;
        }
        if (!std::isfinite(length))
            break; // a free line that never comes down: nothing more to walk
        const StateDef from = s;
        Step(H, w, length, s);
        // A run cut to the distance ends on it (no rounding left for another pass to chase).
        if (toDistance && std::fabs(s.y) < kRunaway && walk.Distance - s.x < 1e-6 * (1.0 + walk.Distance))
            s.x = walk.Distance;
        // Mean weights are of the cable that weighs: a weightless line is left out of them.
        if (w > 0.0)
        {
            (beforeBottom ? walk.WeighedBefore : walk.WeighedAfter) += w * length;
            (beforeBottom ? walk.ArcBefore : walk.ArcAfter) += length;
        }
        used += length;
        arc += length;
        if (toBottom)
        {
            s.V = 0.0;
            if (pendingLie)
                s.y = 0.0; // the search put this lowest point on the seabed
        }
        Note(walk, w == 0.0 ? STRETCH_LINE : STRETCH_CATENARY, from, s, w);
        if (toBottom)
        {
            reachBottom();
            if (pendingLie)
                lie();
        }
        if (k < m.nPieces && used >= m.Piece[k].Length)
        {
            ++k;
            used = 0.0;
        }
        if (!(std::fabs(s.y) < kRunaway) || !std::isfinite(s.x))
        {
            walk.bRunaway = true;
            s.y = s.y > 0.0 ? kRunaway : -kRunaway;
            if (!std::isfinite(s.x))
                s.x = 0.0;
            break;
        }
    }
    walk.End = s;
    walk.Arc = arc;
}

// The search for one horizontal tension H: the state of the cable at support 2 that brings it to
// support 1's height, and the vertical force it then has at support 1.
class CChainSearch
{
public:
    CChainSearch(const MakeUpDef& makeUp, double height1, double height2, double distance, double scale)
        : m_MakeUp(makeUp), m_Height1(height1), m_Height2(height2), m_Distance(distance)
    {
        for (int i = 0; i < makeUp.nPieces; ++i)
        {
            if (std::isfinite(makeUp.Piece[i].Length))
                m_FixedWeight += makeUp.Piece[i].Weight * makeUp.Piece[i].Length;
            m_LieScale = std::max(m_LieScale, makeUp.Piece[i].Weight);
        }
        m_Scale = std::max({scale, m_FixedWeight, 1.0});
    }

    // False when no state at support 2 reaches support 1 under this H.
    bool SolveFor(double H)
    {
        m_H = H;
        FindTouchdown();
        // The parameter p runs over V at support 2 up to the state that touches the seabed, then
        // on over the length lying (at the heaviest section's weight a metre): the height reached
        // at support 1 falls as p grows.
        const auto miss = [this](double p) { return Reach(p).End.y - m_Height1; };
        double hi = m_LyingAvailable ? m_VTouch + m_LieMax * m_LieScale : m_Scale;
        double fhi = miss(hi);
        for (int i = 0; !m_LyingAvailable && fhi > 0.0 && i < kBracketDoublings; ++i)
        {
            hi *= 2.0;
            fhi = miss(hi);
        }
        double lo = -m_Scale;
        double flo = miss(lo);
        for (int i = 0; flo < 0.0 && i < kBracketDoublings; ++i)
        {
            lo *= 2.0;
            flo = miss(lo);
        }
        if (!(flo >= 0.0 && fhi <= 0.0))
            return false;
        m_P = BrentRoot(miss, lo, hi, flo, fhi, 1e-10 * m_LieScale);
        const WalkDef walk = Reach(m_P);
        m_VEnd = walk.End.V;
        return !walk.bRunaway;
    }

    // The tension at support 1 of the last solve (kgf).
    double TopTension() const { return std::hypot(m_H, m_VEnd); }
    // The last solve's cable lies on (or just touches) the seabed.
    bool OnSeabed() const { return m_LyingAvailable && m_P >= m_VTouch; }
    // V at support 2 of the last solve.
    double V2() const { return OnSeabed() ? m_VTouch : m_P; }
    // The walk of the last solve, its stretches recorded.
    WalkDef Final(StretchDef* record, int* pRecorded) const { return Reach(m_P, record, pRecorded); }

private:
    WalkDef Start(double v2) const
    {
        WalkDef walk;
        walk.MakeUp = &m_MakeUp;
        walk.H = m_H;
        walk.Height2 = m_Height2;
        walk.V2 = v2;
        return walk;
    }

    WalkDef Reach(double p, StretchDef* record = nullptr, int* pRecorded = nullptr) const
    {
        WalkDef walk = Start(p);
        walk.Distance = m_Distance;
        walk.Record = record;
        walk.pRecorded = pRecorded;
        if (m_LyingAvailable && p >= m_VTouch)
        {
            walk.V2 = m_VTouch;
            walk.Lie = (p - m_VTouch) / m_LieScale;
        }
        Walk(walk);
        return walk;
    }

    // The V at support 2 with which the cable comes down to the seabed with V = 0, touching it,
    // and whether that touchdown lies between the supports.
    void FindTouchdown()
    {
        m_LyingAvailable = false;
        m_VTouch = 0.0;
        m_LieMax = 0.0;
        const double total = m_MakeUp.FixedLength();
        if (m_Height2 <= 0.0)
        {
            m_LyingAvailable = true;
            m_LieMax = m_Distance >= 0.0 ? m_Distance : total;
            return;
        }
        // The drop from support 2 to where V reaches 0 (0 when it never does); it grows with V.
        const auto drop = [this](double v2) {
            WalkDef walk = Start(v2);
            Walk(walk);
            return walk.bBottom ? m_Height2 - walk.Bottom.y : 0.0;
        };
        const PieceDef& last = m_MakeUp.Piece[m_MakeUp.nPieces - 1];
        double hi = m_FixedWeight;
        if (m_MakeUp.HasFree() && last.Weight > 0.0)
        {
            hi = std::max(hi, m_Scale);
            for (int i = 0; drop(hi) < m_Height2 && i < kBracketDoublings; ++i)
                hi *= 2.0;
        }
        if (!(hi > 0.0) || drop(hi) < m_Height2)
            return; // the cable never comes down to the seabed
        const auto miss = [&](double v2) { return drop(v2) - m_Height2; };
        m_VTouch = BrentRoot(miss, 0.0, hi, -m_Height2, miss(hi), 1e-10 * m_LieScale);
        WalkDef walk = Start(m_VTouch);
        Walk(walk);
        if (!walk.bBottom)
            return;
        if (m_Distance >= 0.0)
        {
            m_LyingAvailable = walk.Bottom.x < m_Distance;
            m_LieMax = m_Distance - walk.Bottom.x;
        }
        else
        {
            m_LyingAvailable = walk.BottomArc < total;
            m_LieMax = total - walk.BottomArc;
        }
    }

    const MakeUpDef& m_MakeUp;
    double m_Height1;
    double m_Height2;
    double m_Distance;
    double m_FixedWeight = 0.0;
    double m_LieScale = 1.0;
    double m_Scale = 1.0;
    double m_H = 0.0;
    bool m_LyingAvailable = false;
    double m_VTouch = 0.0;
    double m_LieMax = 0.0;
    double m_P = 0.0;
    double m_VEnd = 0.0;
};

bool Usable(const MakeUpDef& m, double tension, double height1, double height2)
{
    if (!(tension > 0.0) || !std::isfinite(tension) || !std::isfinite(height1) || !std::isfinite(height2))
        return false;
    if (m.nPieces <= 0)
        return false;
    for (int i = 0; i < m.nPieces; ++i)
    {
        const PieceDef& p = m.Piece[i];
        if (!(p.Weight >= 0.0) || !std::isfinite(p.Weight) || !(p.Length > 0.0))
            return false;
        if (!std::isfinite(p.Length) && i != m.nPieces - 1)
            return false;
    }
    return true;
}

ChainSolutionDef Solve(const MakeUpDef& makeUp, double tension, double height1, double height2,
                       double distance)
{
    ChainSolutionDef solution;
    if (!Usable(makeUp, tension, height1, height2))
        return solution;
    // A support below the seabed stands on it.
    height1 = std::max(height1, 0.0);
    height2 = std::max(height2, 0.0);
    const bool byDistance = distance >= 0.0;
    if (byDistance != makeUp.HasFree() || (byDistance && !(distance > 0.0 && std::isfinite(distance))))
        return solution;
    if (!byDistance && !(makeUp.FixedLength() > std::fabs(height1 - height2)))
        return solution; // too short to reach from one support to the other

    CChainSearch search(makeUp, height1, height2, distance, tension);
    // The top tension grows with the horizontal one, and the root lies below the tension itself.
    const auto miss = [&](double H) {
        if (!search.SolveFor(H))
            return std::numeric_limits<double>::quiet_NaN();
        return search.TopTension() - tension;
    };
    const double hi = tension;
    const double fhi = miss(hi);
    const double lo = tension * 1e-9;
    const double flo = miss(lo);
    if (!(flo < 0.0) || !(fhi >= 0.0))
        return solution; // a tension that cannot hold the cable up, or no cable between the supports
    const double H = BrentRoot(miss, lo, hi, flo, fhi, tension * 1e-12);
    if (!search.SolveFor(H))
        return solution;

    int recorded = 0;
    StretchDef walked[kMaxStretches];
    const WalkDef walk = search.Final(walked, &recorded);
    const double span = walk.End.x;
    const double v2 = search.V2();
    solution.bSolved = true;
    solution.Horizontal = H;
    solution.Span = span;
    solution.Length = walk.Arc;
    solution.Tension2 = std::hypot(H, v2);
    solution.bOnSeabed = search.OnSeabed();
    if (solution.bOnSeabed)
    {
        solution.Lying = std::max(0.0, walk.LiftArc - walk.BottomArc);
        solution.Span1 = span - walk.LiftX;
        solution.Suspended1 = walk.Arc - walk.LiftArc;
    }
    else if (walk.bBottom)
    {
        solution.LowPoint = std::max(0.0, walk.Bottom.y);
        solution.Span1 = span - walk.Bottom.x;
        solution.Suspended1 = walk.Arc - walk.BottomArc;
    }
    else if (v2 <= 0.0)
    {
        // Rising from support 2 all the way: support 2 is the lowest point.
        solution.LowPoint = height2;
        solution.Span1 = span;
        solution.Suspended1 = walk.Arc;
    }
    else
    {
        // Falling all the way to support 1: support 1 is the lowest point.
        solution.LowPoint = height1;
    }
    solution.bRisesFromSupport2 = !solution.bOnSeabed && v2 < 0.0;
    const auto mean = [&](double weighed, double arc, int piece) {
        return arc > 0.0 ? weighed / arc : makeUp.Piece[piece].Weight;
    };
    solution.Weight1 = mean(walk.WeighedAfter, walk.ArcAfter, makeUp.nPieces - 1);
    solution.Weight2 = mean(walk.WeighedBefore, walk.ArcBefore, 0);

    // The stretches in support 1's terms: distances from support 1, in order from it.
    solution.nStretches = recorded;
    for (int i = 0; i < recorded; ++i)
    {
        const StretchDef& w = walked[recorded - 1 - i];
        StretchDef& s = solution.Stretch[i];
        s.nKind = w.nKind;
        s.From = span - w.To;
        s.To = span - w.From;
        s.Height = w.Height;
        s.ToHeight = w.ToHeight;
        // Walking back from support 2 V > 0 goes down; towards support 2 the same cable rises.
        s.Slope = w.Slope / H;
        s.A = w.A > 0.0 ? H / w.A : 0.0;
    }
    return solution;
}
} // namespace

bool MakeUpDef::Add(double weight, double length)
{
    if (!(length > 0.0))
        return true;
    if (nPieces >= kMaxPieces)
        return false;
    Piece[nPieces].Weight = weight;
    Piece[nPieces].Length = length;
    ++nPieces;
    return true;
}

double MakeUpDef::FixedLength() const
{
    double total = 0.0;
    for (int i = 0; i < nPieces; ++i)
        if (std::isfinite(Piece[i].Length))
            total += Piece[i].Length;
    return total;
}

double StretchDef::HeightAt(double u) const
{
    double y = Height;
    switch (nKind)
    {
    case STRETCH_LEVEL:
        y = 0.0;
        break;
    case STRETCH_LINE:
        y = To > From ? Height + (ToHeight - Height) * (u - From) / (To - From) : Height;
        break;
    default:
        if (A > 0.0)
        {
            // y = y0 + A·(c0·(cosh Δ − 1) + m0·sinh Δ): the catenary through (From, Height) with
            // slope m0 there, in a form that keeps its precision for small Δ.
            const double delta = std::max(-300.0, std::min(300.0, (u - From) / A));
            const double half = std::sinh(delta / 2.0);
            y = Height + A * (std::sqrt(1.0 + Slope * Slope) * 2.0 * half * half + Slope * std::sinh(delta));
        }
        break;
    }
    return std::isfinite(y) ? std::max(-kRunaway, std::min(kRunaway, y)) : 0.0;
}

double ChainSolutionDef::HeightAt(double u) const
{
    if (nStretches <= 0)
        return 0.0;
    int i = 0;
    while (i + 1 < nStretches && u > Stretch[i].To)
        ++i;
    return Stretch[i].HeightAt(u);
}

ChainSolutionDef SolveByLength(const MakeUpDef& makeUp, double tension, double height1, double height2)
{
    return Solve(makeUp, tension, height1, height2, -1.0);
}

ChainSolutionDef SolveByDistance(const MakeUpDef& makeUp, double tension, double height1, double height2,
                                 double distance)
{
    if (!(distance > 0.0))
        return ChainSolutionDef();
    return Solve(makeUp, tension, height1, height2, distance);
}
} // namespace cablechain
