// The density of sea water, shared by the anchor model's cable weights and the sound-speed
// pane: one function, so that both show the same figure for the same water.
#pragma once

// Density of sea water at one atmosphere (kg/m³) from the international one-atmosphere
// equation of state of sea water (UNESCO 1981, EOS-80; Millero and Poisson 1981, Deep-Sea
// Research 28A). Temperature in degrees Celsius (valid −2 to 40), salinity in practical
// salinity (valid 0 to 42). Agrees with the published check values to 1e-5 kg/m³.
double SeawaterDensity(double temperature, double salinity);
