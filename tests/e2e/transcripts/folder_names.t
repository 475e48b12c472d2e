# Names with blanks, bytes above 127 and a newline are written as they are.
posix-only a newline inside a file name
dir-python ["n"]
replay-python [("n/with blank.spr", ["racer=blank", "time=1,20,0,0"]), ("n/caf\xe9.spr", ["racer=cafe", "time=1,21,0,0"]), ("n/new\nline.spr", ["racer=newline", "time=1,22,0,0"])]
stdin:
<l n
<q
stdout:
|ZEB> \tn/caf\xc3\xa9.spr loaded!$
|\tappended at pos 0$
|\tn/new$
|line.spr loaded!$
|\tappended at pos 1$
|\tn/with blank.spr loaded!$
|\tinserted at pos: 0$
|\tn: 3 replay files, 3 filed$
|ZEB> %
