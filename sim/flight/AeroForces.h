// Lift, drag and side force on the vessel from its airspeed in body axes
// (x forward, y right, z down), the air density and the Mach number.
#pragma once

#include "sim/flight/Vector.h"
#include "sim/flight/VesselConfig.h"

namespace quorvel::flight {

struct AirflowAngles {
    double aoaRad = 0;       // nose above the airflow
    double sideslipRad = 0;  // airflow arriving from the right
};

// Both 0 when there is no airspeed.
AirflowAngles AirflowAnglesOf(const Vec3& airVelocityBody);

// Per radian: 3.5 subsonic, 4/sqrt(M^2 - 1) once that is lower, and never
// below 1 (from Mach 4.1 on).
double LiftCurveSlopePerRad(double mach);
// Zero-lift drag: 0.07 to Mach 0.8, the transonic peak of 0.12 at 1.1,
// then 0.09 at 2, 0.07 at 3, 0.05 from 6, linear in between.
double ZeroLiftDragCoefficient(double mach);

// Force in body axes, N. Lift grows as slope * sin(a) cos(a), which is
// slope * a at small angles and vanishes broadside on, where a crossflow
// drag of 1.2 sin^3(a) takes over; induced drag is CL^2/(pi A e).
Vec3 AeroForceBody(const Aerodynamics& aero, const Vec3& airVelocityBody, double densityKgpm3, double mach);

}  // namespace quorvel::flight
