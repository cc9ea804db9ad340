#pragma once

class DocumentStatistics;
class FC;

// Fills the policies of `policy` that no policy file gave from the
// statistics of the analysis pass. The driver calls it for the output record
// and the contents record before the given policies are merged over them.
// The calculation comes with the statistics code; until then every open
// policy keeps its default.
inline void CalculatePolicies(FC& /*policy*/, DocumentStatistics& /*statistics*/) {}
