// String-table entries of the logic tests' own resources.
#ifndef TK_TESTS_LOGIC_IDS_H
#define TK_TESTS_LOGIC_IDS_H

#define IDS_TEST_LONG 61000     // 1100 characters
#define IDS_TEST_MISSING 61001  // never defined

#endif
