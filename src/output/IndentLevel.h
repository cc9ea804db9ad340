#pragma once

class FC;

// The indent level of a column: how many of the policy's indent positions,
// taken in order, lie at or left of it, less one; never below 0.
int IndentLevel(int column, const FC& policy);
