// Placeholder until CArchive lands: the container templates link against these.
#include "platform/core/Array.h"

bool AfxArchiveIsStoring(CArchive&) { AfxThrowNotSupportedException(); }
void AfxArchiveWriteCount(CArchive&, INT_PTR) { AfxThrowNotSupportedException(); }
INT_PTR AfxArchiveReadCount(CArchive&) { AfxThrowNotSupportedException(); }
void AfxArchiveWriteBytes(CArchive&, const void*, size_t) { AfxThrowNotSupportedException(); }
void AfxArchiveReadBytes(CArchive&, void*, size_t) { AfxThrowNotSupportedException(); }
void AfxArchiveString(CArchive&, CString&) { AfxThrowNotSupportedException(); }
