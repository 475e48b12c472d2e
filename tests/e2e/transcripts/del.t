# Every row of del's decisions with its look-ups, prompts and answers; the
# results show in pdb and find.
replay 1.spr racer=rokan2 track=Blackwood code=BL1R car="XR GT TURBO" time=1,23,45,6 lap=3
replay 2.spr racer=speedy track=Blackwood code=BL1R car="XR GT TURBO" time=1,23,10,0 lap=5
replay 3.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,20,0,0 lap=1
replay 4.spr racer=rokan2 track=Aston code=AS7R car=MRT5 time=0,59,99,9 lap=2
replay 5.spr racer=mika track=Aston code=AS1 car="BMW SAUBER" time=1,1,1,1 lap=149
replay 6.spr racer=rokan2 track="Fern Bay" code=FE2R car="FZ50 GTR" time=1,10,0,0 lap=4
replay 7.spr racer=mika track="Fern Bay" code=FE2R car="FZ50 GTR" time=1,9,0,0 lap=4
replay 8.spr racer=rokan2 track=Westhill code=WE1R car="FXO TURBO" time=2,0,0,0 lap=6
replay 9.spr racer=Rokan2 track=Westhill code=WE1R car="FXO TURBO" time=2,1,0,0 lap=6
replay 10.spr racer=lena track="South City" code=SO5R car="XR GT" time=1,40,0,0 lap=250
replay 11.spr racer=rokan2 track="South City" code=SO5R car="XR GT" time=1,41,0,0 lap=1
replay 12.spr racer=lena track="Kyoto Ring" code=KY3R car="UF GTR" time=2,22,0,0 lap=2
replay 13.spr racer=rokan2 track=Blackwood code=BL1R car="BMW SAUBER" time=1,15,0,0 lap=2
args: 1.spr 2.spr 3.spr 4.spr 5.spr 6.spr 7.spr 8.spr 9.spr 10.spr 11.spr 12.spr 13.spr
stdin:
<del -t
<d -T as
<d -x as
<d -t as xrt
<d -cs xrt
<d -rcs rokan2 xrt
<d -r a b c d
<d -rt rokan2
<d -t xx
<d -c zzz
<d -s bl9
<d -cs zzz bl1
<d -cs xrt bl9
<d -rt rokan2 xx
<d -rc rokan2 zzz
<d -rs rokan2 bl9
<d -rcs rokan2 zzz bl1
<d -rcs rokan2 xrt bl9
<d -t AS
<n
<d -t AS
<yes please
<d -t AS
<
<d -t AS
<Y
<d -t as
<y
<d -s fe7r
<y
<d -c XRT
<YES
<d -rc rokan2 BF1
<y
<find rokan2
<d -rs rokan2 WE1R
<Yes
<d -rt rokan2 SO
<yes
<d -rcs mika FZR FE2R
<y
<d -cs FZR FE2R
<y
<pdb
<d -r Lena
<y
<d -racer lena
<y
<d -r lena
<y
<d
<no
<d
<y
<pdb
<d
<y
<q
stdout:
|\t1.spr loaded!$
|\tappended at pos 0$
|\t2.spr loaded!$
|\tinserted at pos: 0$
|\t3.spr loaded!$
|\tappended at pos 0$
|\t4.spr loaded!$
|\tappended at pos 0$
|\t5.spr loaded!$
|\tappended at pos 0$
|\t6.spr loaded!$
|\tappended at pos 0$
|\t7.spr loaded!$
|\tinserted at pos: 0$
|\t8.spr loaded!$
|\tappended at pos 0$
|\t9.spr loaded!$
|\tappended at pos 1$
|\t10.spr loaded!$
|\tappended at pos 0$
|\t11.spr loaded!$
|\tappended at pos 1$
|\t12.spr loaded!$
|\tappended at pos 0$
|\t13.spr loaded!$
|\tappended at pos 0$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tflag -cs expects a car and a short-track$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> \tsyntax error: type "help del" for help$
|$
|ZEB> $
|\tvalid tracks: as, bl, fe, ky, so, we$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|\tvalid tracks: as, bl, fe, ky, so, we$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> comletely delete all as laptimes (y/)? \toperation cancelled by the user$
|$
|ZEB> comletely delete all as laptimes (y/)? \toperation cancelled by the user$
|$
|ZEB> comletely delete all as laptimes (y/)? \toperation cancelled by the user$
|$
|ZEB> comletely delete all as laptimes (y/)? \tdeletion completed succesfully$
|$
|ZEB> comletely delete all as laptimes (y/)? \tno data found to be deleted$
|$
|ZEB> comletely delete all fe7r laptimes (y/)? \tno data found to be deleted$
|$
|ZEB> comletely delete all xrt laptimes (y/)? \tdeletion completed succesfully$
|$
|ZEB> comletely delete all rokan2 laptimes with bf1 (y/)? \tdeletion completed succesfully$
|$
|ZEB> rokan2 found on track Fern Bay (fe2r) with FZ50 GTR, at pos 1$
|rokan2 found on track South City (so5r) with XR GT, at pos 1$
|rokan2 found on track Westhill (we1r) with FXO TURBO, at pos 0$
|ZEB> comletely delete all rokan2 laptimes from we1r (y/)? \tdeletion completed succesfully$
|$
|ZEB> comletely delete all rokan2 laptimes from so (y/)? \tdeletion completed succesfully$
|$
|ZEB> comletely delete all mika laptimes with fzr from fe2r (y/)? \tdeletion completed succesfully$
|$
|ZEB> comletely delete all fzr laptimes from fe2r (y/)? \tdeletion completed succesfully$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tlena\t\tKY3R\tUF GTR         \t02:22.000 (2)$
|0\tlena\t\tSO5R\tXR GT          \t01:40.000 (250)$
|0\tRokan2\t\tWE1R\tFXO TURBO      \t02:01.000 (6)$
|$
|ZEB> delete racer Lena from everywhere (y/)? \tno data found to be deleted$
|$
|ZEB> delete racer lena from everywhere (y/)? \tdeletion completed succesfully$
|$
|ZEB> delete racer lena from everywhere (y/)? \tno data found to be deleted$
|$
|ZEB> completely delete everything in the database (y/)? \toperation cancelled by the user$
|$
|ZEB> completely delete everything in the database (y/)? \tdeletion completed succesfully$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> completely delete everything in the database (y/)? \tdeletion completed succesfully$
|$
|ZEB> %
