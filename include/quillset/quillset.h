// The whole exported interface of Quillset: a host needs only this header and -lquillset.
#ifndef QUILLSET_QUILLSET_H
#define QUILLSET_QUILLSET_H

#include <quillset/cmdgen.h>
#include <quillset/cmdsyntax.h>
#include <quillset/dbentry.h>
#include <quillset/dbobject.h>
#include <quillset/dbvalue.h>
#include <quillset/dynarray.h>
#include <quillset/hashtable.h>
#include <quillset/limits.h>
#include <quillset/qstring.h>
#include <quillset/results.h>
#include <quillset/symbols.h>

#endif
