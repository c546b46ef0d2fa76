// The anchor-cable solvers: stateless functions that give the shape of one anchor cable hanging
// from a fairlead (on the barge or on a tug) to the seabed. They read only their arguments,
// write only their out-parameters and may run on any thread.
//
// A cable of several sections is solved exactly (CableChain.h): one horizontal tension through
// the whole cable, each section hanging by its own weight, tangent-continuous at the joints. The
// tension argument is the top tension at support 1 (the fairlead, or the buoy's pennant end
// nearer the fairlead); the tension at support 2 follows from it. Side weights, where a solver
// reports them, are the mean weights per metre of the cable on each side of its lowest point
// or touchdown, and lie among the weights of its sections.
//
// Units: tension T in tonnes; weights in kilograms per metre in water; lengths, heights, spans
// and ranges in metres; angles, where compared, in degrees.
//
// Levels of the two-support solvers are depths, positive down (a point above the water has a
// negative level): the seabed base level B and the support levels S1 and S2. h1 = B − S1 and
// h2 = B − S2 are the supports' heights above the seabed, and d, the height of the cable's
// lowest point, is measured up from the seabed. Support 1 is the end where the upper section
// hangs (the fairlead), support 2 the end of the ground chain. A support below the seabed is
// taken to stand on it.
//
// A cable that cannot hang between its supports, because its top tension cannot hold it up or
// because it is shorter than the height between them, has no catenary: each solver then gives
// the answer it states for that case. For finite arguments no result is NaN or infinite.
#pragma once

#include "zuduzuro/CableChain.h"
#include "zuduzuro/CableSections.h"

// Passes of a re-mixing or fixed-point loop before it counts as not settled.
constexpr int kSolverPassLimit = 100;

// The height (m) whose catenary span with top tension T and weight w is `span`, searched in
// (0, upper − lower) from its middle until the step is 1e-5 m. The middle of that interval
// when T or w is 0. The span of a top tension over a height rises and then falls again as the
// height grows, so a span has two heights; the search finds one of them.
double SolveHeightForSpan(double span, double upper, double lower, double tension, double weight);

// The weight (kg/m) whose catenary over `height` spans `span`, searched in (0, 2·startWeight)
// until the span is met within 0.001 m or the weight step is 1e-6.
double SolveWeightForSpan(double tension, double height, double startWeight, double span);

// The weight between w_a and w_b, mixed by the share of the span X that the lighter weight does
// not cover, whose span is X; settled when that share moves by 0.001 or less. False (with
// spanOut = X and weightOut untouched) when the lighter weight alone spans more than X, when X
// is not positive, or when the mix has not settled within kSolverPassLimit passes.
bool SolveMixedWeightForSpan(double tension, double height, double weightA, double weightB, double span,
                             double& spanOut, double& weightOut);

// The On Bottom cable for top tension T, the fairlead height1 + height2 over the seabed, and the
// anchor `distance` m away: the ground chain (and, below an upper section, the lower section)
// keeps its length at the anchor end; the section at the fairlead is paid out as far as needed.
// True when the cable touches down within the distance: span = fairlead to touchdown. False when
// the anchor lies nearer than the cable would touch down, so that the cable lifts it (span =
// distance), or when no catenary hangs (span 0). weightUsed: the mean weight of the hanging
// cable (the fairlead section's weight when none hangs).
bool ComputeSpanForTension(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                           double height1, double height2, double distance, double& weightUsed, double& span);

// The range from the fairlead to the anchor for top tension T, the fairlead's height over the
// seabed being fairleadHeight − seabedHeight, every section of its given length. True when the
// cable touches down on itself: weightUsed (mean weight of the hanging cable), span (fairlead to
// touchdown), suspended length and range (span plus the cable lying) written. False when the
// whole cable hangs and lifts the anchor: then span = range = the horizontal distance to the
// anchor so lifted, suspended = the whole cable, weightUsed its mean weight; nothing is written
// when the cable is shorter than the height. A tension too small to lift any cable leaves it
// all on the seabed: true, with span and suspended length 0 and range the cable's length.
bool ComputeAnchorRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                        double fairleadHeight, double seabedHeight, double& weightUsed, double& span,
                        double& suspended, double& range);

// A cable of two sections, the first hanging from the top (w1, L1), over height h, solved as
// ComputeAnchorRange. True when the touchdown lies on the cable. False when the whole cable
// hangs: suspended = L1 + L2, weightUsed = 0, span = range = the straight-line run √(L² − h²)
// (0 when L ≤ h). A tension too small to lift the cable: true, span and suspended 0, range L.
bool ComputeTwoSectionZuduzuro(double tension, double height, double weight1, double length1, double weight2,
                               double length2, double& weightUsed, double& span, double& suspended,
                               double& range);

// One weight w and length L between two supports over base B, top tension T at support 1.
// Returns the lowest point's height d (0 when cable lies on the seabed); lying length and total
// span written. Without a catenary: a tension too small lays the whole cable (lying = span = L);
// a cable too short for the height gives its straight run and no lying.
double ComputeTwoSupportZuduzuro(double tension, double base, double support1, double support2, double weight,
                                 double length, double& lying, double& span);

// The lower section of a buoy's cable between two supports, as ComputeTwoSupportZuduzuro.
// Returns the total span; writes the lowest point's height, the distance from support 1 to the
// touchdown (0 when the cable does not reach the seabed) and the lying length. A weightless lower
// section is a straight line over the lower support's height.
double ComputeTwoSupportLower(const CableSectionsDef& sections, double tension, double base, double support1,
                              double support2, double& lowPoint, double& touchdown, double& lying);

// Two sections between two supports, section 1 (w1, L1) at support 1. Returns the lowest point's
// height d and writes the side weights and the total span; returns 0 and writes nothing when
// the lowest point lies on the seabed (within 0.01 m) or no catenary hangs.
double ComputeTwoSupportTwoSections(double tension, double base, double support1, double support2,
                                    double weight1, double length1, double weight2, double length2,
                                    double& sideWeight1, double& sideWeight2, double& span);

// As ComputeTwoSupportTwoSections for upper (w1, L1), lower (w2, L2) and chain (w3, L3) in that
// order from support 1.
double ComputeTwoSupportThreeSections(double tension, double base, double support1, double support2,
                                      double weight1, double length1, double weight2, double length2,
                                      double weight3, double length3, double& sideWeight1,
                                      double& sideWeight2, double& span);

// A whole cable between two supports over the sections in use (the chain only when given,
// flagged and of positive length). Returns the lowest point's height (0 on the seabed) and
// writes the total span, the side weights and the lying length. Without a catenary: a tension
// too small lays the whole cable on the seabed; a cable too short gives its straight run.
double ComputeTwoSupportCable(const CableSectionsDef& sections, const GroundChainDef* chain, double tension,
                              double base, double support1, double support2, double& span,
                              double& sideWeight1, double& sideWeight2, double& lying);

// A cable between two supports a horizontal distance D apart, paid out as far as it needs: with
// the upper section flagged (its length is not read) the lower section keeps its length at
// support 2 and the upper one runs on from support 1; without it the lower section runs on.
// Returns the lowest point's height (0 when cable lies on the seabed) and writes the side
// weights and the lying length. *pSettled (optional) is false when no catenary hangs: the side
// weights are then the two sections' weights, lying 0, result 0.
double SolveSagForDistance(const CableSectionsDef& sections, double tension, double base, double support1,
                           double support2, double distance, double& sideWeight1, double& sideWeight2,
                           double& lying, bool* pSettled = nullptr);

// The two-section case of SolveSagForDistance (the upper section taken as flagged). Returns the
// lowest point's height; writes both side weights.
double SolveSagForDistanceMixed(const CableSectionsDef& sections, double tension, double base,
                                double support1, double support2, double distance, double& sideWeight1,
                                double& sideWeight2, bool* pSettled = nullptr);

// The level (depth, m) at horizontal distance X from support 1 of a cable with one weight on
// each side of its lowest point, as SolveSagForDistance reports them: the catenary of side 1
// under top tension T at support 1, the same horizontal tension on side 2, the base level B on
// the lying stretch. S1 at X = 0.
double SolveTouchdownHeight(double tension, double distance, double base, double support1, double sideWeight1,
                            double support2, double sideWeight2, double lowPoint, double lying);

// A weightless upper line of length Lu from the top with the lower section (w, Ll) hanging below
// it, leaving the junction at the line's angle; heightA − heightB is the top's height over the
// seabed. True when the lower section touches down: suspended length (of the lower section),
// line's vertical extent and span, total span (top to touchdown), catenary span (junction to
// touchdown) and range written. False when the whole cable hangs, lifting its end: suspended 0,
// total span 0, and the line and range of the cable so hung; nothing written without a catenary.
bool SolveWeightlessUpperSection(double tension, double heightA, double heightB, double weight,
                                 double lowerLength, double upperLength, double& suspended,
                                 double& lineHeight, double& lineSpan, double& totalSpan,
                                 double& catenarySpan, double& range);

// SolveWeightlessUpperSection for the anchor's cable with its ground chain (flagged, of
// positive length) hanging below the lower section. False at once, with nothing written, when
// the upper section is not weightless. Otherwise true when the cable touches down; the outputs
// are those of the cable so solved (0 where there is none); the optional ones are written when
// given, the weight (mean weight of the hanging cable below the line) only when it touches down.
bool SolveWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                              double heightA, double heightB, double* pWeightUsed, double* pLineSpan,
                              double* pLineHeight, double& totalSpan, double& range);

// What ComputeWeightlessRange and ComputeWeightlessCableOut find.
struct WeightlessRangeDef
{
    double LowerWeight = 0.0; // weight of the lower section (kg/m)
    double LineSpan = 0.0;    // horizontal run of the weightless line (m)
    double LineHeight = 0.0;  // vertical extent of the line (m)
    double FirstSpan = 0.0;    // span of the first part: line plus catenary to its lowest point
    double LowPoint = 0.0;     // height of the lowest point above the seabed (0 on the seabed)
    double FarWeight = 0.0;    // mean weight of the part hanging from support 2
    double Lying = 0.0;        // length lying on the seabed
    bool bHangsWhole = false;  // the whole lower section hangs from the line, on support 1's side
    double CatenarySpan = 0.0; // span of the catenary from the junction to the lowest point
    double Range = 0.0;        // total horizontal distance (a line-only cable: the line's run)
};

// A cable with a weightless upper section between two supports at levels A (reference),
// B (support 1) and C (support 2): the line from support 1, then the lower section and the
// chain (when flagged, of positive length). False, writing nothing, when the upper section is
// not weightless; false with bHangsWhole set when the whole lower section hangs on support 1's
// side of the lowest point, or when no catenary hangs.
bool ComputeWeightlessRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double levelA, double levelB, double levelC, WeightlessRangeDef& result);

// A cable with a weightless upper section being paid out, `onDeck` metres still on deck:
// ComputeWeightlessRange over the cable that is out, support 2 at the surface. lineOnly is set
// when only the line is out (Range is then its run down to level B). True whenever the upper
// section is flagged and weightless, whatever the range solver found.
bool ComputeWeightlessCableOut(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                               double levelA, double levelB, double onDeck, bool& lineOnly,
                               WeightlessRangeDef& result);

// The cables the solvers above solve, whole (stretch by stretch), for the anchor's drawn cable.
// Tension in tonnes; heights, levels and distances as above.
namespace cableshapes
{
// ComputeAnchorRange's cable: from the top `height` m over the seabed to the anchor on it.
cablechain::ChainSolutionDef AnchorCable(const CableSectionsDef& sections, const GroundChainDef& chain,
                                         double tension, double height);
// ComputeSpanForTension's cable: to the anchor `distance` m away, paid out at the top.
cablechain::ChainSolutionDef AnchorCableToDistance(const CableSectionsDef& sections, const GroundChainDef& chain,
                                                   double tension, double height, double distance);
// ComputeTwoSupportCable's cable, with the given make-up (from support 2).
cablechain::ChainSolutionDef CableBetween(const cablechain::MakeUpDef& makeUp, double tension, double base,
                                          double support1, double support2);
// SolveSagForDistance's cable.
cablechain::ChainSolutionDef CableOverDistance(const CableSectionsDef& sections, double tension, double base,
                                               double support1, double support2, double distance);
// The anchor's cable from its anchor end (the chain when given and in use).
cablechain::MakeUpDef AnchorMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain);
} // namespace cableshapes
