# The folder load of folder_load.t with links and a pipe in the tree: a link
# to a replay counts, links to folders are not followed, a dangling link and
# a pipe are passed over.
posix-only symbolic links and named pipes
dir r
dir r/a
dir r/sub.spr
dir r/.hidden
dir r/deep
dir r/deep/er
replay r/a.spr racer=alpha time=1,20,0,0
replay r/a/x.SPR racer=beta time=1,21,0,0
replay r/a-b.Spr racer=gamma time=1,22,0,0
replay r/sub.spr/y.spr racer=delta time=1,19,0,0
replay r/.hidden/z.sPr racer=eps time=1,18,0,0
replay r/deep/er/last.spr racer=alpha time=1,17,0,0 code=BL2
replay r/faster.spr racer=alpha time=1,10,0,0
replay r/B.spr racer=zeta code=FE7R track=Fern\ Bay
replay r/not-a-replay.sp racer=no
replay r/readme.txt racer=no
file r/junk.spr b"not a replay at all"
file r/empty.spr b""
replay outside.spr racer=linked time=1,30,0,0
symlink r/link.spr ../outside.spr
symlink r/dangling.spr nowhere.spr
symlink r/loop ..
symlink r/a/up.spr ..
fifo r/pipe.spr
dir empty
stdin:
<l r
<q
stdout:
|ZEB> \tr/.hidden/z.sPr loaded!$
|\tappended at pos 0$
|\tr/B.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|\tr/a-b.Spr loaded!$
|\tappended at pos 1$
|\tr/a.spr loaded!$
|\tinserted at pos: 1$
|\tr/a/x.SPR loaded!$
|\tinserted at pos: 2$
|\tr/deep/er/last.spr loaded!$
|\tappended at pos 0$
|\tnot loaded (this is not a hotlap file)$
|\tr/faster.spr loaded!$
|\tabout to update racer's laptime$
|\tinserted at pos: 0$
|\tnot loaded (this is not a hotlap file)$
|\tr/link.spr loaded!$
|\tappended at pos 4$
|\tr/sub.spr/y.spr loaded!$
|\tinserted at pos: 2$
|\tr: 11 replay files, 8 filed$
|ZEB> %
