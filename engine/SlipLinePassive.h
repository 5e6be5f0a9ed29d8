#pragma once

// The passive earth pressure on a rough vertical wall under a level ground
// surface, by the method of characteristics for a cohesionless soil with
// weight (Sokolovskii, Statics of Granular Media, 1965): the slip-line field
// that Caquot and Kerisel (1948) and Kerisel and Absi (1990) tabulate.
//
// The field has three zones: a passive Rankine zone under the ground surface,
// a fan centred on the top of the wall, and the zone against the wall, where
// the major principal stress makes the angle
//   psi_w = (delta + asin(sin(delta) / sin(phi))) / 2
// with the wall's normal, so that the wall's shear is tan(delta) times its
// normal stress. The characteristic equations are integrated on the network
// of the two slip-line families by the trapezoidal rule, iterated at each node.
// With weight alone the field is self-similar: the pressure grows in
// proportion to depth, so K = sigma_n / (gamma z) is the value at the deepest
// wall node, extrapolated in the number of steps.
namespace engine {

struct SlipLineOptions {
    // Steps along the characteristic that bounds the Rankine zone. The wall's
    // deepest node lies this many steps down; its error falls as about
    // steps^-1.4 for delta = phi and far faster for smaller delta. At least 8.
    int steps = 240;
    // Rays of the fan at the top of the wall, from psi = 0 to psi_w.
    int fanRays = 96;
    // The weight per unit volume and the uniform surcharge on the ground
    // (any consistent units). With weight alone the result is Kp for the
    // weight; with a surcharge alone it is Kp for the surcharge, which is the
    // closed form of the weightless solution.
    double unitWeight = 1.0;
    double surcharge = 0.0;
    // Trapezoidal corrections at each node.
    int iterations = 6;
};

// The passive coefficient, normal (horizontal) component, of a vertical wall
// with wall friction delta under level ground: the wall's normal stress at the
// deepest node divided by (unitWeight x depth + surcharge). Angles in degrees,
// 0 < phi < 90, 0 <= delta <= phi. Rankine's tan^2(45 + phi/2) when delta = 0.
double SlipLinePassiveCoefficient(double phi, double delta, const SlipLineOptions& options = {});

// The same for the soil's weight, converged: the coefficient at the deepest
// wall node and at the nodes a half and a quarter of the way down are
// extrapolated to an infinite number of steps, with the order of convergence
// estimated from the three.
double ConvergedSlipLinePassiveCoefficient(double phi, double delta, const SlipLineOptions& options = {});

}  // namespace engine
