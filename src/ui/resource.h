#pragma once
// Resource identifiers of the program.
