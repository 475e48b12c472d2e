# find: one line per cell holding the racer, by track, car and layout.
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
<find rokan2
<f mika
<f Rokan2
<f ROKAN2
<f nobody
<find
<find a b
<F lena
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
|ZEB> rokan2 found on track Aston (as7r) with MRT5, at pos 0$
|rokan2 found on track Blackwood (bl1r) with BMW SAUBER, at pos 0$
|rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0$
|rokan2 found on track Blackwood (bl1r) with XR GT TURBO, at pos 1$
|rokan2 found on track Fern Bay (fe2r) with FZ50 GTR, at pos 1$
|rokan2 found on track South City (so5r) with XR GT, at pos 1$
|rokan2 found on track Westhill (we1r) with FXO TURBO, at pos 0$
|ZEB> mika found on track Aston (as1) with BMW SAUBER, at pos 0$
|mika found on track Fern Bay (fe2r) with FZ50 GTR, at pos 0$
|ZEB> Rokan2 found on track Westhill (we1r) with FXO TURBO, at pos 1$
|ZEB> ZEB> ZEB> \tsyntax error$
|$
|ZEB> \tsyntax error$
|$
|ZEB> lena found on track Kyoto Ring (ky3r) with UF GTR, at pos 0$
|lena found on track South City (so5r) with XR GT, at pos 0$
|ZEB> %
