// The anchor-cable solvers: stateless functions that give the shape of one anchor cable hanging
// from a fairlead (on the barge or on a tug) to the seabed, built on the catenary element
// (Catenary.h). They read only their arguments, write only their out-parameters, allocate
// nothing and may run on any thread.
//
// Units: tension T in tonnes; weights in kilograms per metre in water; lengths, heights, spans
// and ranges in metres; angles, where compared, in degrees.
//
// Levels of the two-support solvers are depths, positive down (a point above the water has a
// negative level): the seabed base level B and the support levels S1 and S2. h1 = B − S1 and
// h2 = B − S2 are the supports' heights above the seabed, and d, the height of the cable's
// lowest point, is measured up from the seabed. Support 1 is the end where the upper section
// hangs (the fairlead), support 2 the end of the ground chain.
//
// Every search halves its step each pass and ends at its tolerance or when the step reaches
// its floor; every re-mixing loop ends after at most kSolverPassLimit passes, and from its
// tenth pass moves the side weights only half-way to each new mix, so that a mix swinging
// about its settled values dies down. A loop that ends on its limit without settling is
// reported as no solution where the solver has a way to say so (false, or *pSettled = false).
// For finite arguments no result is NaN or infinite.
#pragma once

#include "zuduzuro/CableSections.h"

// Passes of a re-mixing or fixed-point loop before it counts as not settled.
constexpr int kSolverPassLimit = 100;

// The height (m) whose catenary span with tension T and weight w is `span`, searched in
// (0, upper − lower) from its middle until the step is 1e-5 m. The middle of that interval
// when T or w is 0.
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

// The span of an On Bottom cable for top tension T and the height height1 + height2 of the
// fairlead over the seabed, within the horizontal distance available. True with the weight
// that gives it; false when only a forced weight makes the cable fit (span = distance then).
bool ComputeSpanForTension(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                           double height1, double height2, double distance, double& weightUsed, double& span);

// The range from the fairlead to the anchor for top tension T, the fairlead's height over the
// seabed being fairleadHeight − seabedHeight. True when a catenary touches down on the cable;
// then weightUsed, span (fairlead to touchdown), suspended length and range are written.
// When upper and lower sections hang whole, the chain is folded into the suspended weight: the
// suspended length s (to 0.001 m) whose catenary, with the mean weight of both sections and
// s − (upper + lower) of chain, is s long. False when the whole cable would hang (no
// catenary); the outputs are then those of the last sub-solver, if any.
bool ComputeAnchorRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                        double fairleadHeight, double seabedHeight, double& weightUsed, double& span,
                        double& suspended, double& range);

// A cable of two sections, the first hanging from the top (w1, L1), over height h. True when
// the touchdown lies on the cable: weightUsed, span, suspended length and range (span plus the
// length lying) written. False when the whole cable hangs: suspended = L1 + L2, weightUsed = 0,
// span = range = the straight-line run √(L² − h²) (0 when L ≤ h).
bool ComputeTwoSectionZuduzuro(double tension, double height, double weight1, double length1, double weight2,
                               double length2, double& weightUsed, double& span, double& suspended,
                               double& range);

// One weight w and length L between two supports over base B. Returns the lowest point's
// height d (0 when cable lies on the seabed); lying length and total span written.
double ComputeTwoSupportZuduzuro(double tension, double base, double support1, double support2, double weight,
                                 double length, double& lying, double& span);

// The lower section of a buoy's cable between two supports. Returns the total span; writes the
// lowest point's height, the distance from support 1 to the touchdown (0 when none) and the
// lying length. A weightless lower section is a straight line over the lower support's height.
double ComputeTwoSupportLower(const CableSectionsDef& sections, double tension, double base, double support1,
                              double support2, double& lowPoint, double& touchdown, double& lying);

// Two sections between two supports, section 1 (w1, L1) at support 1. The side weights are
// re-mixed from where the join of the sections falls until both move by 0.001 or less (at most
// kSolverPassLimit passes; the last pass stands). Returns the lowest point's height d and
// writes the side weights (each among w1 and w2) and the total span; returns 0 and writes
// nothing when the lowest point lies on the seabed (within 0.01 m).
double ComputeTwoSupportTwoSections(double tension, double base, double support1, double support2,
                                    double weight1, double length1, double weight2, double length2,
                                    double& sideWeight1, double& sideWeight2, double& span);

// As ComputeTwoSupportTwoSections for upper (w1, L1), lower (w2, L2) and chain (w3, L3) in that
// order from support 1; the re-mixing ends as soon as either side weight settles.
double ComputeTwoSupportThreeSections(double tension, double base, double support1, double support2,
                                      double weight1, double length1, double weight2, double length2,
                                      double weight3, double length3, double& sideWeight1,
                                      double& sideWeight2, double& span);

// A whole cable between two supports over the sections in use (the chain only when given,
// flagged and of positive length). Returns the lowest point's height (0 on the seabed) and
// writes the total span, the weights of side 1 and side 2, and the lying length.
double ComputeTwoSupportCable(const CableSectionsDef& sections, const GroundChainDef* chain, double tension,
                              double base, double support1, double support2, double& span,
                              double& sideWeight1, double& sideWeight2, double& lying);

// A cable between two supports a horizontal distance D apart. Returns the lowest point's
// height (0 when cable lies on the seabed) and writes the side weights and the lying length.
// *pSettled (optional) is false when the side weights of a two-section cable did not settle
// within kSolverPassLimit passes: the results are then the last pass's and no solution.
double SolveSagForDistance(const CableSectionsDef& sections, double tension, double base, double support1,
                           double support2, double distance, double& sideWeight1, double& sideWeight2,
                           double& lying, bool* pSettled = nullptr);

// The two-section case of SolveSagForDistance: side weights re-mixed from the share of the span
// on side 1 until both move by 0.001 or less (at most kSolverPassLimit passes; *pSettled false
// when they do not settle). Returns the lowest point's height; writes both side weights.
double SolveSagForDistanceMixed(const CableSectionsDef& sections, double tension, double base,
                                double support1, double support2, double distance, double& sideWeight1,
                                double& sideWeight2, bool* pSettled = nullptr);

// The level (depth, m) of the cable at horizontal distance X from support 1, from what
// SolveSagForDistance found: the base level B on the lying stretch, and within the height
// search's tolerance S1 at X = 0.
double SolveTouchdownHeight(double tension, double distance, double base, double support1, double sideWeight1,
                            double support2, double sideWeight2, double lowPoint, double lying);

// A weightless upper line of length Lu from the fairlead with the lower section (w, Ll) hanging
// below it as a catenary that leaves the junction at the line's angle; V = heightA − heightB is
// the vertical extent shared by line and catenary. True when the lower section touches down:
// suspended length, line's vertical extent and span, total span, catenary span and range
// written. False otherwise: when the lower section would hang whole the outputs describe that
// (suspended 0, total span 0, junction height as the line's extent); when the catenary needs
// more cable than Ll nothing is written.
bool SolveWeightlessUpperSection(double tension, double heightA, double heightB, double weight,
                                 double lowerLength, double upperLength, double& suspended,
                                 double& lineHeight, double& lineSpan, double& totalSpan,
                                 double& catenarySpan, double& range);

// SolveWeightlessUpperSection for the anchor's cable, folding the ground chain into the lower
// section a metre at a time until the cable touches down. False at once, with nothing
// written, when the upper section is not weightless. Otherwise the outputs come from the last
// run (0 where that run gave none); the optional ones are written when given.
bool SolveWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                              double heightA, double heightB, double* pWeightUsed, double* pLineSpan,
                              double* pLineHeight, double& totalSpan, double& range);

// What ComputeWeightlessRange and ComputeWeightlessCableOut find.
struct WeightlessRangeDef
{
    double LowerWeight = 0.0; // weight of the lower section (kg/m)
    double LineSpan = 0.0;    // horizontal run of the weightless line (m)
    // Vertical extent of the line, or the junction's height when the lower section hangs whole.
    double LineHeight = 0.0;
    double FirstSpan = 0.0;    // span of the first part: line plus catenary to its lowest point
    double LowPoint = 0.0;     // height of the lowest point above the seabed (0 on the seabed)
    double FarWeight = 0.0;    // weight of the part hanging from support 2
    double Lying = 0.0;        // length lying on the seabed
    bool bHangsWhole = false;  // the lower section hangs whole from the line
    double CatenarySpan = 0.0; // span of the catenary from the junction
    double Range = 0.0;        // total horizontal distance (a line-only cable: the line's run)
};

// A cable with a weightless upper section between two supports at levels A (reference),
// B (support 1's junction) and C (support 2): line and lower section hang from support 1, the
// rest of the lower section and the chain from support 2. False, writing nothing, when the
// upper section is not weightless; false with bHangsWhole set when the lower section does not
// touch down from the line.
bool ComputeWeightlessRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double levelA, double levelB, double levelC, WeightlessRangeDef& result);

// A cable with a weightless upper section being paid out, `onDeck` metres still on deck:
// ComputeWeightlessRange over the cable that is out, support 2 at the surface. lineOnly is set
// when only the line is out (Range is then its run down to level B). True whenever the upper
// section is flagged and weightless, whatever the range solver found.
bool ComputeWeightlessCableOut(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                               double levelA, double levelB, double onDeck, bool& lineOnly,
                               WeightlessRangeDef& result);
