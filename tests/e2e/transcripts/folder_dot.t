# The working directory itself as the folder: paths begin with "./".
dir sub
replay b.spr racer=bee time=1,21,0,0
replay sub/a.spr racer=ay time=1,20,0,0
file notes.txt b"not a replay"
stdin:
<l .
<l ./
<q
stdout:
|ZEB> \t./b.spr loaded!$
|\tappended at pos 0$
|\t./sub/a.spr loaded!$
|\tinserted at pos: 0$
|\t.: 2 replay files, 2 filed$
|ZEB> \t./b.spr loaded!$
|\tdata already exist in db$
|\t./sub/a.spr loaded!$
|\tdata already exist in db$
|\t./: 2 replay files, 0 filed$
|ZEB> %
