#include "views/Table.h"
