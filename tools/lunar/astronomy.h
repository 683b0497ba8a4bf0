// Instants of new moons and of the sun's apparent longitude, for building the
// lunisolar calendar. Times are Julian Ephemeris Days (TT) unless named UT.
#pragma once

namespace tavo::lunar {

// Mean new moon number k = 0 is 6 January 2000.
double newMoonJde(long k);
// Apparent geocentric longitude of the sun, degrees in [0, 360).
double apparentSolarLongitude(double jde);
// The instant after (or at) jdeStart when the apparent solar longitude equals targetDegrees.
double solarLongitudeJde(double targetDegrees, double jdeStart);
// TT - UT in seconds for a decimal year.
double deltaTSeconds(double year);
double jdeToUt(double jde);

// Julian day number (noon-based) of the civil date that holds an instant in
// Japan Standard Time (UTC+9).
long jstDayNumber(double jde);

}  // namespace tavo::lunar
