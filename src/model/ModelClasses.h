#pragma once

#include "base/ClassRegistry.h"

// The classes that occur in a portfolio file: positions, price histories, price points
// and account transactions.
const ClassRegistry& ModelClassRegistry();
