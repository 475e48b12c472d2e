# Names that are no regular files must not hold the program: a pipe without
# a writer reads as empty, a device as whatever it gives.
posix-only named pipes and /dev devices
fifo pipe.spr
args: pipe.spr /dev/null /dev/zero
stdin:
<l pipe.spr
<l /dev/zero
<q
stdout:
|\tnot loaded (this is not a hotlap file)$
|\tnot loaded (this is not a hotlap file)$
|\tnot loaded (this is not a hotlap file)$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> %
