// CRectangleClipper: the polygon clipper's exact path for an axis-parallel rectangle, which is
// what the chart clips every filled area to. The outline is cut by each of the rectangle's four
// half-planes in turn (Sutherland and Hodgman, "Reentrant polygon clipping", Communications of
// the ACM 17(1), 1974), which keeps the winding number of every point inside the rectangle; the
// runs of the cut outline that lie along the rectangle's sides are then taken out and the runs
// through its inside joined again along its boundary, each end to the next start round the
// rectangle in the outline's own direction (the boundary walk of Weiler and Atherton, "Hidden
// surface removal using polygon area sorting", SIGGRAPH 1977), so that pieces apart come back
// apart. Points on the sides are computed with the side's own coordinate, so a vertex on an
// edge, a run along an edge or a touch at one point is decided exactly, with nothing moved.
#pragma once

#include "foundation/XYArray.h"

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// Hands out memory through nothrow new and turns a refusal into std::bad_alloc, so that the
// clipper's work buffers fail the way its callers count failed allocations.
template <typename T> struct NothrowAllocator
{
    using value_type = T;
    NothrowAllocator() = default;
    template <typename U> NothrowAllocator(const NothrowAllocator<U>&) {}
    T* allocate(std::size_t n)
    {
        void* p = ::operator new(n * sizeof(T), std::nothrow);
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) { ::operator delete(p); }
    template <typename U> bool operator==(const NothrowAllocator<U>&) const { return true; }
    template <typename U> bool operator!=(const NothrowAllocator<U>&) const { return false; }
};

using ClipPoints = std::vector<tagXY, NothrowAllocator<tagXY>>;

class CRectangleClipper
{
public:
    enum Outcome
    {
        NOTHING,  // nothing of the subject lies in the rectangle (or only lines and points)
        SUBJECT,  // the subject lies wholly in the rectangle
        CLIP,     // the subject covers the whole rectangle
        PIECES,   // Pieces() holds the result
    };

    // The rectangle of a clip polygon given as its four corners, or five with the first again,
    // with sides parallel to the axes and a positive width and height; false for anything else.
    static bool FromPolygon(const tagXY* clip, int count, CRectangleClipper* clipper);

    CRectangleClipper() = default;
    CRectangleClipper(double xmin, double ymin, double xmax, double ymax);

    // Clips the subject (closed from its last point to its first). Throws std::bad_alloc when
    // a work buffer cannot be had.
    Outcome Clip(const tagXY* subject, int count);

    // After a PIECES outcome: the most points WritePieces may write, and the pieces written,
    // each as its vertices, a copy of its first vertex and the separator (DBL_MAX, DBL_MAX);
    // it returns the count written.
    std::size_t PiecesBound() const { return m_Ring.size() + 6 * m_Chains.size() + 2; }
    std::size_t WritePieces(tagXY* out) const;

private:
    struct Chain
    {
        std::size_t begin, count; // its points: count points of the ring from begin on, round
        double entry, exit;       // where it starts and ends round the boundary
        int next;                 // the chain the boundary walk from its end reaches
    };
    struct End
    {
        double at;
        bool exit;
        int chain;
    };

    void CutByHalfPlanes(const tagXY* subject, int count);
    void Push(int side, const tagXY& p);
    void CloseSide(int side);
    bool Inside(int side, const tagXY& p) const;
    tagXY Crossing(int side, const tagXY& from, const tagXY& to) const;

    int Sides(const tagXY& p) const;
    double Along(const tagXY& p) const;
    double Flow(const tagXY& from, const tagXY& to, int common) const;
    bool SplitIntoChains(double* ringFlow);
    bool PairEnds(bool exitsFirst, double ringFlow);
    std::size_t WriteChains(tagXY* out) const;
    std::size_t WriteRing(tagXY* out) const;
    tagXY* AddCorners(double from, double length, tagXY* piece, tagXY* end) const;

    double m_Xmin = 0.0, m_Ymin = 0.0, m_Xmax = 0.0, m_Ymax = 0.0;
    double m_Width = 0.0, m_Height = 0.0, m_Perimeter = 0.0;
    double m_Corner[4] = {0.0, 0.0, 0.0, 0.0}; // boundary positions of the corners

    // The half-plane stages' state: the first point each stage saw, and the last.
    struct Stage
    {
        bool started = false;
        tagXY first{0.0, 0.0};
        bool firstInside = false;
        tagXY previous{0.0, 0.0};
        bool previousInside = false;
    };
    Stage m_Stages[4];

    ClipPoints m_Ring; // the outline cut by the four half-planes
    std::vector<Chain, NothrowAllocator<Chain>> m_Chains; // its runs through the inside
    std::vector<End, NothrowAllocator<End>> m_Ends;
    bool m_WholeRing = false; // the ring is the result, its runs not taken apart
    // Which chains WriteChains has joined into a piece; sized by Clip, so that writing needs
    // no memory of its own.
    mutable std::vector<char, NothrowAllocator<char>> m_Taken;
};
